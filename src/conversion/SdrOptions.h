#pragma once
// The options of the SDR-33 output, held as the [SDR33 Settings] section holds them:
// for each option group the index of the chosen button.
#include "platform/Profile.h"

#include <string>
#include <vector>

namespace tavrelo {

struct SdrOptions {
    int angleUnits = 1;             // 0 Degrees, 1 Gon, 2 Mil
    int distanceUnits = 0;          // 0 Meters, 1 US Feet, 2 Intl. Feet
    int pressureUnits = 0;          // 0 mmHg, 1 InchHg, 2 mbar
    int temperatureUnits = 0;       // 0 Celsius, 1 Fahrenheit
    int temperatureAndPressure = 0; // 0 On, 1 Off
    int curvatureAndRefraction = 1; // 0 On, 1 Off
    int refractionConstant = 0;     // 0 "0.132", 1 "0.200"
    int seaLevel = 0;               // 0 On, 1 Off
};

// The options stored in [SDR33 Settings]. A missing or empty key keeps its default;
// a stored index is rounded to a whole number and kept only when its group has that
// button, so a hand-edited file cannot name a button that does not exist.
SdrOptions LoadSdrOptions(const Profile& settings);

// The eight keys as the window's OK writes them, in their order ("AngleUnits=1").
std::vector<KeyedValue> SdrSettingsValues(const SdrOptions& options);

} // namespace tavrelo
