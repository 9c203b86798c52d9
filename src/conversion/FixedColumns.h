#pragma once
// Fixed-column text for the listings and record layouts: every value is cut or padded
// to its own column so it can never run into the next one.
#include <string>
#include <string_view>

namespace tavrelo {

// Appends text in width columns, left- or right-aligned with spaces; a longer text
// keeps its first width characters.
inline void AppendInColumn(std::string& out, std::string_view text, size_t width, bool rightAligned)
{
    const std::string_view kept = text.substr(0, width);
    if (rightAligned)
        out.append(width - kept.size(), ' ');
    out.append(kept);
    if (!rightAligned)
        out.append(width - kept.size(), ' ');
}

// text left-aligned in width columns, cut to width.
inline std::string LeftInColumn(const std::string& text, size_t width)
{
    std::string out;
    AppendInColumn(out, text, width, false);
    return out;
}

// text right-aligned in width columns; a longer text keeps its first width characters.
inline std::string RightInColumn(const std::string& text, size_t width)
{
    std::string out;
    AppendInColumn(out, text, width, true);
    return out;
}

} // namespace tavrelo
