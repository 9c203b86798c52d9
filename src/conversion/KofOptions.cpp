#include "conversion/KofOptions.h"

#include "platform/Profile.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {
const char* const kSection = "KOF Settings";

// One row per stored key: its name and the member it fills (a text or a check box).
// KofpointFile is read only, into a path.
struct KofKey {
    const char* key;
    std::string KofOptions::*text;
    int KofOptions::*check;
};

const KofKey kKeys[] = {
    {"Road", &KofOptions::Road, nullptr},
    {"City", &KofOptions::City, nullptr},
    {"Surveyor", &KofOptions::Surveyor, nullptr},
    {"UsePointNumberConversion", nullptr, &KofOptions::UsePointNumberConversion},
    {"UseCodeConversion", nullptr, &KofOptions::UseCodeConversion},
};
const char* const kPointFileKey = "KofpointFile";

// A check box holds 0 (unchecked), 1 (checked) or 2 (greyed); any other stored value,
// also one too large to round, leaves the box as it was.
void loadCheck(const std::string& value, int& check)
{
    try {
        const int rounded = CInt(Val(value));
        if (rounded >= 0 && rounded <= 2)
            check = rounded;
    } catch (const OverflowError&) {
    }
}
} // namespace

void LoadKofOptions(const Profile& settings, const std::string& appPath, KofOptions& options)
{
    for (const KofKey& row : kKeys) {
        const std::string value = settings.get(kSection, row.key);
        if (value.empty())
            continue;
        if (row.text)
            options.*row.text = value;
        else
            loadCheck(value, options.*row.check);
    }
    const std::string pointFile = settings.get(kSection, kPointFileKey);
    if (!pointFile.empty())
        options.KofpointFile = appPath + pointFile;
}

std::vector<KeyedValue> KofSettingsValues(const KofOptions& options)
{
    std::vector<KeyedValue> values;
    for (const KofKey& row : kKeys)
        values.push_back({kSection, row.key, row.text ? options.*row.text : FormatMask(options.*row.check, "0")});
    return values;
}

} // namespace tavrelo
