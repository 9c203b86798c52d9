#include "platform/LineEnds.h"

#include <cstring>

namespace tavrelo {

// Two searches of the fast library kind: an LF first, then a CR before it.
const char* FindLineEnd(const char* start, const char* end)
{
    const void* lf = std::memchr(start, kLf, static_cast<size_t>(end - start));
    const char* limit = lf ? static_cast<const char*>(lf) : end;
    const void* cr = std::memchr(start, kCr, static_cast<size_t>(limit - start));
    return cr ? static_cast<const char*>(cr) : limit;
}

bool NextLine(std::string_view& text, std::string_view& line)
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

} // namespace tavrelo
