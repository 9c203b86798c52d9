#include "conversion/SdrOptions.h"

#include "platform/Profile.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {
const char* const kSection = "SDR33 Settings";

struct SdrKey {
    const char* key;
    int SdrOptions::*value;
    int buttons; // the group's number of buttons
};

const SdrKey kKeys[] = {
    {"AngleUnits", &SdrOptions::angleUnits, 3},
    {"DistanceUnits", &SdrOptions::distanceUnits, 3},
    {"PressureUnits", &SdrOptions::pressureUnits, 3},
    {"TemperatureUnits", &SdrOptions::temperatureUnits, 2},
    {"TemperatureAndPressure", &SdrOptions::temperatureAndPressure, 2},
    {"CurvatureAndRefraction", &SdrOptions::curvatureAndRefraction, 2},
    {"RefractionConstant", &SdrOptions::refractionConstant, 2},
    {"SeaLevel", &SdrOptions::seaLevel, 2},
};
} // namespace

SdrOptions LoadSdrOptions(const Profile& settings)
{
    SdrOptions options;
    for (const SdrKey& entry : kKeys) {
        const std::string text = settings.get(kSection, entry.key);
        if (text.empty())
            continue;
        try {
            const int index = CInt(Val(text));
            if (index >= 0 && index < entry.buttons)
                options.*entry.value = index;
        } catch (const OverflowError&) {
            // far out of range: keep the default
        }
    }
    return options;
}

std::vector<KeyedValue> SdrSettingsValues(const SdrOptions& options)
{
    std::vector<KeyedValue> values;
    for (const SdrKey& entry : kKeys)
        values.push_back({kSection, entry.key, std::to_string(options.*entry.value)});
    return values;
}

} // namespace tavrelo
