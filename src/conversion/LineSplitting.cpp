#include "conversion/LineSplitting.h"

#include "platform/FileSystem.h"
#include "platform/TextRules.h"

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tavrelo {

namespace {

void trimInPlace(std::string& line)
{
    const std::string_view t = TrimBlanks(line);
    if (t.size() != line.size())
        line = std::string(t);
}

// Every splitter's start: the line trimmed in place; a blank line counts no fields and
// keeps the old ones (false), any other empties the first slots for the new ones.
bool beginSplit(std::string& line, Fields& fields, int slots)
{
    trimInPlace(line);
    if (line.empty()) {
        fields.setCount(0);
        return false;
    }
    fields.reset(slots);
    return true;
}

} // namespace

void Fields::reset(int slots)
{
    if (static_cast<int>(m_fields.size()) < slots)
        m_fields.resize(slots);
    for (int i = 0; i < slots; ++i)
        m_fields[i].clear();
    m_count = 0;
}

std::string& Fields::slot(int n)
{
    if (static_cast<int>(m_fields.size()) < n)
        m_fields.resize(n);
    return m_fields[n - 1];
}

// One scan of the line: the converters split millions of lines with it. Sixteen
// bytes are searched for commas at a time; the few bytes after them one by one.
int SplitComma(std::string_view line, FieldViews& fields)
{
    const std::string_view trimmed = TrimBlanks(line);
    const char* fieldStart = trimmed.data();
    const char* scan = fieldStart;
    const char* const end = scan + trimmed.size();
    int count = 0;
    const auto endField = [&](const char* comma) {
        fields.m_views[count++] = TrimBlanks(std::string_view(fieldStart, static_cast<size_t>(comma - fieldStart)));
        fieldStart = comma + 1;
    };
#ifdef __SSE2__
    const __m128i commas = _mm_set1_epi8(',');
    while (count < 12 && end - scan >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(scan));
        auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, commas)));
        for (; found != 0 && count < 12; found &= found - 1)
            endField(scan + __builtin_ctz(found));
        scan += 16;
    }
#endif
    for (; count < 12 && scan != end; ++scan)
        if (*scan == ',')
            endField(scan);
    const std::string_view rest(fieldStart, static_cast<size_t>(end - fieldStart));
    if (!TrimBlanks(rest).empty())
        fields.m_views[count++] = rest;
    fields.m_count = count;
    return count;
}

int SplitComma(std::string& line, Fields& fields)
{
    if (!beginSplit(line, fields, 16))
        return 0;
    FieldViews views;
    const int count = SplitComma(std::string_view(line), views);
    for (int n = 1; n <= count; ++n)
        fields.slot(n).assign(views[n]);
    fields.setCount(count);
    return count;
}

int SplitSpace(std::string& line, Fields& fields)
{
    if (!beginSplit(line, fields, 9))
        return 0;
    std::string_view rest(line);
    int count = 0;
    for (;;) {
        const size_t blank = rest.find(' ');
        if (blank == std::string_view::npos) {
            if (!rest.empty())
                fields.slot(++count).assign(TrimBlanks(rest));
            break;
        }
        fields.slot(++count).assign(TrimBlanks(rest.substr(0, blank)));
        rest.remove_prefix(blank + 1);
        const size_t next = rest.find_first_not_of(' ');
        rest.remove_prefix(next == std::string_view::npos ? rest.size() : next);
    }
    fields.setCount(count);
    return count;
}

int SplitBySeparator(std::string& line, Fields& fields, const std::string& separator)
{
    if (!beginSplit(line, fields, 12))
        return 0;
    std::string_view rest(line);
    int count = 0;
    while (count < 11 && !separator.empty()) {
        const size_t at = rest.find(separator);
        if (at == std::string_view::npos)
            break;
        fields.slot(++count).assign(TrimBlanks(rest.substr(0, at)));
        // The rest starts after the separator's first character, then is trimmed.
        rest = TrimBlanks(rest.substr(at + 1));
    }
    if (!TrimBlanks(rest).empty())
        fields.slot(++count).assign(TrimBlanks(rest));
    fields.setCount(count);
    return count;
}

std::string GetFileNameOnly(const std::string& path)
{
    std::string name = Trim(path);
    const size_t cut = name.find_last_of(kPathSeparator == '/' ? "\\/" : "\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

} // namespace tavrelo
