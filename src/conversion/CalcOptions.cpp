#include "conversion/CalcOptions.h"

#include "app/SettingsFileSaver.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"

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

bool CalcOptions::accept(const std::string& iniPath, int* saveError)
{
    std::string text = scaleFactorText;
    if (!NormaliseScaleFactor(text))
        return false;
    scaleFactorText = text;
    applyToCalculation();
    const int error = save(iniPath);
    if (saveError)
        *saveError = error;
    return true;
}

int CalcOptions::save(const std::string& iniPath) const
{
    int first = fields.save(iniPath);
    auto put = [&](const char* key, const std::string& value) {
        const int error = WriteSettingsString(kSection, key, value, iniPath);
        if (first == 0)
            first = error;
    };
    put("TemperatureAndPressure", std::to_string(temperatureAndPressure));
    put("CurvatureAndRefraction", std::to_string(curvatureAndRefraction));
    put("RefractionConstant", std::to_string(refractionConstant));
    put("SeaLevel", std::to_string(seaLevel));
    put("MapProjection", mapProjection ? "1" : "0");
    put("MapProjectionScaleFactor", scaleFactorText);
    put("CheckControlFile", checkControlFile ? "1" : "0");
    put("ControlFileName", controlFileText);
    return first;
}

} // namespace tavrelo
