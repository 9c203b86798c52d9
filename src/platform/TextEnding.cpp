#include "platform/TextEnding.h"

#include "platform/FileSystem.h"

#include <cstdio>

namespace tavrelo {

// Only the last line end of each piece counts, so each piece is searched from its end.
void TextEnding::take(const char* data, size_t size)
{
    if (size == 0)
        return;
    for (size_t i = size; i-- > 0;) {
        const char c = data[i];
        if (c == kLf) {
            const bool afterCr = i > 0 ? data[i - 1] == kCr : !m_empty && m_last == kCr;
            m_style = afterCr ? Style::CrLf : Style::Lf;
            break;
        }
        if (c == kCr) {
            m_style = Style::Cr;
            break;
        }
    }
    m_last = data[size - 1];
    m_empty = false;
}

std::string TextEnding::lineEndBeforeMore() const
{
    if (endsLine())
        return std::string();
    switch (m_style) {
    case Style::Lf: return std::string(1, kLf);
    case Style::Cr: return std::string(1, kCr);
    default: return std::string(kCrLf);
    }
}

bool FileEndsLine(const std::string& path)
{
    std::FILE* file = OpenFile(path, "rb");
    if (!file)
        return true;
    int last = EOF;
    if (std::fseek(file, -1, SEEK_END) == 0)
        last = std::fgetc(file);
    std::fclose(file);
    return last == EOF || IsLineEnd(static_cast<char>(last));
}

} // namespace tavrelo
