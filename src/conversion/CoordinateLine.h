#pragma once
// The engine of the user-ordered coordinate lists (STYLE 8): the field order is a
// table built at run time from the list indices of the five positions, and one
// builder fills a line from the five quantities of a point.
#include <array>
#include <string>
#include <string_view>

namespace tavrelo {

struct PointTexts {
    std::string_view name;
    std::string_view northing;
    std::string_view easting;
    std::string_view elevation;
    std::string_view code;
};

class CoordinateLine {
public:
    enum class Rules {
        // "Nothing", "None", "Ignore" and unknown indices are empty;
        // always five positions.
        Copy,
        // "None" in position 5 ends the line after position 4; "Ignore"
        // repeats the position's text of the previous line of the run.
        Calculator,
    };

    CoordinateLine(const std::array<int, 5>& order, std::string separator, Rules rules);

    // Appends the line for point, ended by CR LF, to out.
    void append(std::string& out, const PointTexts& point);
    // Whether a line can depend on the line before it, so that lines must be built
    // one after the other by one builder.
    bool remembersPreviousLine() const { return m_remembers; }

private:
    std::array<int, 5> m_order;
    std::string m_separator;
    Rules m_rules;
    bool m_remembers; // a position repeats the previous line: keep each line's texts
    std::array<std::string, 5> m_previous;
};

} // namespace tavrelo
