#pragma once
// The one rule of line ends. A text the system reads may end its lines with CR LF, a
// lone CR or a lone LF, mixed as they come: each ends a line, and a CR LF is one line
// end. Everything the system writes ends its lines with CR LF.
//
// Inline: the readers call these for every line of files of millions of lines.
#include <cstddef>
#include <cstring>
#include <string_view>

namespace tavrelo {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
// The line end the system writes.
constexpr std::string_view kCrLf = "\r\n";

constexpr bool IsLineEnd(char c) { return c == kCr || c == kLf; }

// The first CR or LF in [start, end), or end: two searches of the fast library kind,
// an LF first, then a CR before it.
inline const char* FindLineEnd(const char* start, const char* end)
{
    const void* lf = std::memchr(start, kLf, static_cast<size_t>(end - start));
    const char* limit = lf ? static_cast<const char*>(lf) : end;
    const void* cr = std::memchr(start, kCr, static_cast<size_t>(limit - start));
    return cr ? static_cast<const char*>(cr) : limit;
}

// The bytes of the line end that starts at lineEnd (a CR or LF before end): 2 for a
// CR LF, else 1.
inline size_t LineEndSize(const char* lineEnd, const char* end)
{
    return *lineEnd == kCr && lineEnd + 1 != end && lineEnd[1] == kLf ? 2 : 1;
}

// Cuts the first line, without its line end, off text; false when text is used up.
// The last line of text may have no line end.
inline bool NextLine(std::string_view& text, std::string_view& line)
{
    if (text.empty()) {
        line = {};
        return false;
    }
    const char* const start = text.data();
    const char* const end = start + text.size();
    const char* const lineEnd = FindLineEnd(start, end);
    line = std::string_view(start, static_cast<size_t>(lineEnd - start));
    text.remove_prefix(lineEnd == end ? text.size() : static_cast<size_t>(lineEnd - start) + LineEndSize(lineEnd, end));
    return true;
}

// Whether text is empty or its last byte ends a line.
inline bool EndsLine(std::string_view text) { return text.empty() || IsLineEnd(text.back()); }

} // namespace tavrelo
