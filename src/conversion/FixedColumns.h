#pragma once
// Fixed-column text for the listings and record layouts: every value is cut or padded
// to its own column so it can never run into the next one.
#include <string>

namespace tavrelo {

// text left-aligned in width columns, cut to width.
inline std::string LeftInColumn(const std::string& text, size_t width)
{
    std::string out = text.substr(0, width);
    out.append(width - out.size(), ' ');
    return out;
}

// text right-aligned in width columns; a longer text keeps its first width characters.
inline std::string RightInColumn(const std::string& text, size_t width)
{
    if (text.size() >= width)
        return text.substr(0, width);
    return std::string(width - text.size(), ' ') + text;
}

} // namespace tavrelo
