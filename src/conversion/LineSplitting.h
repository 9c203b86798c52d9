#pragma once
// Cutting a record line into fields, as every converter does it. Fields are numbered
// from 1; a field past the last one reads as empty.
#include "platform/TextRules.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrelo {

class Fields {
public:
    // Field n (1-based); "" for n < 1 or beyond the last field stored.
    const std::string& operator[](int n) const
    {
        static const std::string empty;
        return n >= 1 && n <= static_cast<int>(m_fields.size()) ? m_fields[n - 1] : empty;
    }
    int count() const { return m_count; }

    // For the splitters: empty the first n slots (keeping their capacity) and count 0.
    void reset(int slots);
    void setCount(int count) { m_count = count; }
    std::string& slot(int n);

private:
    std::vector<std::string> m_fields;
    int m_count = 0;
};

// The fields of one line as views into it, for readers that keep no field beyond
// the line; field n past the last one is "".
class FieldViews {
public:
    static constexpr int kMax = 13;
    std::string_view operator[](int n) const
    {
        return n >= 1 && n <= m_count ? m_views[n - 1] : std::string_view();
    }
    int count() const { return m_count; }

private:
    friend int SplitComma(std::string_view line, FieldViews& fields);
    std::string_view m_views[kMax];
    int m_count = 0;
};

// Trims the line in place and splits it at ",": up to 12 comma-ended fields, each
// trimmed, then the untrimmed remainder (which keeps any later commas). A trailing
// comma adds no field. A blank line gives count 0 and leaves the fields as they were.
int SplitComma(std::string& line, Fields& fields);
// The same fields as views into the trimmed line; a blank line gives count 0.
int SplitComma(std::string_view line, FieldViews& fields);

// Trims the line in place and splits it at blanks, runs of blanks counting as one.
// No limit on the number of fields.
int SplitSpace(std::string& line, Fields& fields);

// Trims the line in place and splits it at separator: up to 11 fields, then the
// trimmed remainder as the 12th; every field trimmed.
int SplitBySeparator(std::string& line, Fields& fields, const std::string& separator);

// The fields a coordinate list's line needs to be a point: the name and the two plane
// coordinates. Elevation and code may be missing, as in a list without heights
// ("P2,6500110.000,600210.000"): its elevation is 0.
constexpr int kFieldsOfAPoint = 3;

// Whether the two plane coordinate fields from first on hold numbers or nothing; a line
// with text there, such as a heading line, is no point. The elevation after them does
// not decide: a list without heights may hold the code in its place ("P1,100,200,TREE"),
// and an elevation without a number counts as 0.
inline bool AreCoordinateFields(const Fields& fields, int first)
{
    return IsCoordinateField(fields[first]) && IsCoordinateField(fields[first + 1]);
}

// The trimmed path without its folder part (a backslash or the native separator).
std::string GetFileNameOnly(const std::string& path);

template <typename T>
void SwapValues(T& a, T& b) { std::swap(a, b); }
inline void SwapString(std::string& a, std::string& b) { std::swap(a, b); }
inline void SwapSingle(float& a, float& b) { std::swap(a, b); }

} // namespace tavrelo
