#include "conversion/CalcOptions.h"

#include "platform/Profile.h"
#include "platform/TextRules.h"

#include <utility>

namespace tavrelo {

CalcOptions::CalcOptions()
{
    applyToCalculation();
}

bool CalcOptions::NormaliseScaleFactor(std::string& text)
{
    if (text.empty())
        text = "1.00000";
    const size_t comma = text.find(',');
    if (comma != std::string::npos)
        text[comma] = '.';
    const double value = Val(text);
    return value >= kScaleMin && value <= kScaleMax;
}

void CalcOptions::load(const Profile& profile)
{
    const std::string s = kSection;
    fields.load(profile);
    // Absent, empty or invalid: the design selection ("Off", 0.132).
    temperatureAndPressure = StoredIndex(profile, s, "TemperatureAndPressure", 2, 1);
    curvatureAndRefraction = StoredIndex(profile, s, "CurvatureAndRefraction", 2, 1);
    refractionConstant = StoredIndex(profile, s, "RefractionConstant", 2, 0);
    seaLevel = StoredIndex(profile, s, "SeaLevel", 2, 1);
    const std::string projection = profile.get(s, "MapProjection");
    mapProjection = !projection.empty() && Val(projection) > 0;
    scaleFactorText = profile.get(s, "MapProjectionScaleFactor");
    if (!NormaliseScaleFactor(scaleFactorText))
        scaleFactorText = "1.00000";
    const std::string check = profile.get(s, "CheckControlFile");
    checkControlFile = !check.empty() && Val(check) > 0;
    controlFileText = profile.get(s, "ControlFileName");
    applyToCalculation();
}

void CalcOptions::applyToCalculation()
{
    CalcTemperatureAndPressure = 0;
    CalcCurvatureAndRefraction = curvatureAndRefraction == 0 ? -1 : 0;
    RefractionConstant = refractionConstant == 0 ? 0.132f : 0.2f;
    CalcSeaLevel = seaLevel == 0 ? -1 : 0;
    UseScaleFactor = mapProjection ? -1 : 0;
    std::string text = scaleFactorText;
    MapProjectionScaleFactor = NormaliseScaleFactor(text) ? Val(text) : 1.0;
    ControlFileName = checkControlFile ? Trim(controlFileText) : std::string();
}

bool CalcOptions::accept()
{
    std::string text = scaleFactorText;
    if (!NormaliseScaleFactor(text))
        return false;
    scaleFactorText = text;
    applyToCalculation();
    return true;
}

std::vector<KeyedValue> CalcOptions::settingsValues() const
{
    std::vector<KeyedValue> values = fields.settingsValues();
    const std::pair<const char*, std::string> keys[] = {
        {"TemperatureAndPressure", std::to_string(temperatureAndPressure)},
        {"CurvatureAndRefraction", std::to_string(curvatureAndRefraction)},
        {"RefractionConstant", std::to_string(refractionConstant)},
        {"SeaLevel", std::to_string(seaLevel)},
        {"MapProjection", mapProjection ? "1" : "0"},
        {"MapProjectionScaleFactor", scaleFactorText},
        {"CheckControlFile", checkControlFile ? "1" : "0"},
        {"ControlFileName", controlFileText},
    };
    for (const auto& [key, value] : keys)
        values.push_back({kSection, key, value});
    return values;
}

} // namespace tavrelo
