#pragma once
// A fixed-column line as a table of fields: each field is a fixed text, or a value of
// the record placed in its own width by its alignment and, for numbers, its digit mask.
// A writer describes each of its line kinds as one such table and hands the values of
// a record to AppendColumns; no writer pads or cuts a column by itself.
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrelo {

enum class ColumnAlign { Left, Right };
// What a value wider than its field does: keep the first `width` characters, or be
// written whole and push the rest of the line to the right.
enum class ColumnOverflow { Cut, Widen };

struct ColumnField {
    enum class Kind { Fixed, Text, Number };
    Kind kind;
    const char* fixed;  // Fixed: the text
    int value;          // Text, Number: index of the value in the record
    size_t width;       // 0: as wide as the value
    const char* mask;   // Number: the digit mask ("##0.000", "00.00")
    ColumnAlign align;
    ColumnOverflow overflow;
};

// One value of a record: its text for text fields, its number for number fields.
// A blank number shows as blanks of its field's width (its mask's width when the field
// has none), so the columns after it stay in place.
struct ColumnValue {
    std::string_view text;
    double number = 0;
    bool blank = false;
};

inline constexpr ColumnField FixedText(const char* text)
{
    return {ColumnField::Kind::Fixed, text, 0, 0, nullptr, ColumnAlign::Left, ColumnOverflow::Cut};
}
inline constexpr ColumnField TextColumn(int value, size_t width, ColumnAlign align,
                                        ColumnOverflow overflow = ColumnOverflow::Cut)
{
    return {ColumnField::Kind::Text, nullptr, value, width, nullptr, align, overflow};
}
inline constexpr ColumnField NumberColumn(int value, size_t width, const char* mask,
                                          ColumnOverflow overflow = ColumnOverflow::Cut)
{
    return {ColumnField::Kind::Number, nullptr, value, width, mask, ColumnAlign::Right, overflow};
}

// A line kind: its fields in order.
struct ColumnLayout {
    const ColumnField* fields;
    size_t count;
};

template <size_t N>
constexpr ColumnLayout MakeLayout(const ColumnField (&fields)[N])
{
    return {fields, N};
}

// Appends the line of one record to out (without a line end); values[i] is the value
// that fields with `value` i show.
void AppendColumns(std::string& out, const ColumnLayout& layout, const ColumnValue* values);

} // namespace tavrelo
