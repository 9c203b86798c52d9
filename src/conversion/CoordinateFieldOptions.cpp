#include "conversion/CoordinateFieldOptions.h"

#include "platform/Profile.h"
#include "platform/TextRules.h"

#include <cmath>

namespace tavrelo {

CoordinateFieldOptions::CoordinateFieldOptions(FieldSection section)
    : section(section), itemTexts(defaultItemTexts(section))
{
}

const char* CoordinateFieldOptions::sectionName(FieldSection section)
{
    switch (section) {
    case FieldSection::Coordinate:
        return "Coordinate Settings";
    case FieldSection::CalcCoordinate:
        return "Calc Coordinate Settings";
    case FieldSection::UpLoad:
        return "Coordinate UpLoad Settings";
    }
    return "";
}

std::vector<std::string> CoordinateFieldOptions::defaultItemTexts(FieldSection section)
{
    if (section == FieldSection::UpLoad)
        return {"Point number", "Northing", "Easting", "Elevation", "Code", "Nothing", "None"};
    return {"Point number", "Northing", "Easting", "Elevation", "Code", "Nothing", "None", "Ignore"};
}

int StoredIndex(const Profile& profile, const std::string& section, const std::string& key, int count,
                int fallback)
{
    const std::string text = profile.get(section, key);
    if (text.empty())
        return fallback;
    const double value = Val(text);
    if (!(std::fabs(value) < 1e9))
        return fallback;
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (rounded < 0 || rounded >= count)
        return fallback;
    return static_cast<int>(rounded);
}

void CoordinateFieldOptions::load(const Profile& profile)
{
    const std::string name = sectionName(section);
    itemTexts = defaultItemTexts(section);
    for (size_t k = 0; k < itemTexts.size(); ++k) {
        const std::string text = profile.get(name, "ComboField" + std::to_string(k + 1));
        if (!text.empty())
            itemTexts[k] = text;
    }
    for (int n = 0; n < 5; ++n)
        field[n] = StoredIndex(profile, name, "Field" + std::to_string(n + 1), itemCount(), 0);
    const std::string stored = profile.get(name, "Separator");
    separator = !stored.empty() && Val(stored) > 0 ? 1 : 0;
}

std::vector<KeyedValue> CoordinateFieldOptions::settingsValues() const
{
    const std::string name = sectionName(section);
    std::vector<KeyedValue> values;
    for (int n = 0; n < 5; ++n)
        values.push_back({name, "Field" + std::to_string(n + 1), std::to_string(field[n])});
    values.push_back({name, "Separator", separator == 0 ? "0" : "1"});
    return values;
}

} // namespace tavrelo
