#include "conversion/DxfOptions.h"

#include "platform/Profile.h"
#include "platform/TextRules.h"

#include <cctype>

namespace tavrelo {

namespace {
const char* const kSection = "DXF Settings";

struct LabelKeys {
    const char* layer;
    const char* textSize;
    const char* check;
    const char* colour;
};

const LabelKeys kLabelKeys[3] = {
    {"Dxf_PointName_Layer", "Dxf_PointName_TS", "Dxf_Check_PointName", "Dxf_ColorPointName"},
    {"Dxf_Elevation_Layer", "Dxf_Elevation_TS", "Dxf_Check_Elevation", "Dxf_ColorElevation"},
    {"Dxf_Code_Layer", "Dxf_Code_TS", "Dxf_Check_Code", "Dxf_ColorCode"},
};
const char* const kDefaultLayers[3] = {"PN", "EL", "CD"};

// A whole text that reads as one decimal number (blanks around it allowed).
bool IsDecimalNumber(const std::string& text)
{
    const std::string t = Trim(text);
    size_t i = 0;
    auto digits = [&] {
        const size_t start = i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            ++i;
        return i - start;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    size_t count = digits();
    if (i < t.size() && t[i] == '.') {
        ++i;
        count += digits();
    }
    if (count == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == t.size();
}

// The stored whole number of a tick or switch key, or false when it cannot be one.
bool StoredInteger(const std::string& text, int& value)
{
    try {
        value = CInt(Val(text));
        return true;
    } catch (const OverflowError&) {
        return false;
    }
}

void LoadText(const Profile& settings, const char* key, std::string& text)
{
    const std::string value = settings.get(kSection, key);
    if (!value.empty())
        text = value;
}
} // namespace

DxfOptions::DxfOptions()
{
    for (int row = 0; row < 3; ++row)
        labels[row].layer = kDefaultLayers[row];
}

int DxfOptions::labelColour(int row) const
{
    try {
        const int colour = CInt(Val(labels[row].colourTag) + 1);
        return colour >= 1 && colour <= 8 ? colour : 7;
    } catch (const OverflowError&) {
        return 7;
    }
}

double DxfOptions::labelHeight(int row) const
{
    const std::string& text = labels[row].textSize;
    return IsDecimalNumber(text) ? static_cast<float>(Val(text)) : 1.0;
}

DxfOptions LoadDxfOptions(const Profile& settings)
{
    DxfOptions options;
    LoadText(settings, "Dxf_Point_Layer", options.pointLayer);
    for (int row = 0; row < 3; ++row) {
        DxfLabelOptions& label = options.labels[row];
        LoadText(settings, kLabelKeys[row].layer, label.layer);
        LoadText(settings, kLabelKeys[row].textSize, label.textSize);
        int tick = 0;
        const std::string check = settings.get(kSection, kLabelKeys[row].check);
        if (!check.empty() && StoredInteger(check, tick))
            label.enabled = tick >= 1;
        const std::string colour = settings.get(kSection, kLabelKeys[row].colour);
        label.colourTag = colour.empty() ? "0" : colour;
    }
    int output2D = 0;
    const std::string dimension = settings.get(kSection, "Dxf_Option3D");
    if (!dimension.empty() && StoredInteger(dimension, output2D))
        options.output3D = output2D == 0;
    return options;
}

std::vector<KeyedValue> DxfSettingsValues(const DxfOptions& options)
{
    std::vector<KeyedValue> values = {{kSection, "Dxf_Point_Layer", options.pointLayer}};
    for (int row = 0; row < 3; ++row)
        values.push_back({kSection, kLabelKeys[row].layer, options.labels[row].layer});
    for (int row = 0; row < 3; ++row)
        values.push_back({kSection, kLabelKeys[row].textSize, options.labels[row].textSize});
    for (int row = 0; row < 3; ++row)
        values.push_back({kSection, kLabelKeys[row].check, options.labels[row].enabled ? "1" : "0"});
    values.push_back({kSection, "Dxf_Option3D", options.output3D ? "0" : "1"});
    for (int row = 0; row < 3; ++row)
        values.push_back({kSection, kLabelKeys[row].colour, options.labels[row].colourTag});
    return values;
}

} // namespace tavrelo
