#pragma once
// The field-order options of the coordinate dialogs: the item texts of
// the five field lists, the list index chosen for each output (or input) position
// and the separator. One store type serves the three sections that carry them:
// [Coordinate Settings] (conversion, F_UsDeCo), [Coordinate UpLoad Settings]
// (upload, F_UpCoo, seven items) and the first fourteen keys of
// [Calc Coordinate Settings] (F_SetCalcCoo).
#include "platform/Profile.h"

#include <array>
#include <string>
#include <vector>

namespace tavrelo {

// What a list index puts into a position of a coordinate list.
namespace FieldItem {
constexpr int PointNumber = 0;
constexpr int Northing = 1;
constexpr int Easting = 2;
constexpr int Elevation = 3;
constexpr int Code = 4;
constexpr int Nothing = 5;
constexpr int None = 6;   // in the calculator's position 5: ends the line after position 4
constexpr int Ignore = 7; // in the calculator: the text of the previous line's position
} // namespace FieldItem

enum class FieldSection { Coordinate, CalcCoordinate, UpLoad };

struct CoordinateFieldOptions {
    // The new-file defaults of the section (what a freshly written settings file holds).
    explicit CoordinateFieldOptions(FieldSection section = FieldSection::Coordinate);

    // Loads from the section as the dialog's Form_Load does. Absent or empty keys give
    // the default item texts, index 0 ("Point number") and comma. A stored index is
    // rounded (halves to even) first and then range-checked: one that names no item
    // keeps index 0.
    void load(const Profile& profile);
    // Field1..Field5 ("0".."7") and Separator ("0" comma, "1" blank), as the dialog's
    // OK writes them.
    std::vector<KeyedValue> settingsValues() const;

    static const char* sectionName(FieldSection section);
    static std::vector<std::string> defaultItemTexts(FieldSection section);
    int itemCount() const { return static_cast<int>(itemTexts.size()); }

    // "," or " ".
    std::string separatorText() const { return separator == 0 ? "," : " "; }

    FieldSection section;
    std::vector<std::string> itemTexts; // ComboField1.. (index = key number - 1)
    std::array<int, 5> field{{0, 1, 2, 3, 4}}; // list index of Comb(0)..Comb(4)
    int separator = 0;                          // 0 comma (Op(0)), 1 blank (Op(1))
};

// Reads a stored option index: the value rounded (halves to even); fallback when the
// key is absent or empty or the rounded value lies outside 0..count-1.
int StoredIndex(const Profile& profile, const std::string& section, const std::string& key, int count,
                int fallback);

} // namespace tavrelo
