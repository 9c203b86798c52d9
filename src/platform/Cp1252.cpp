#include "platform/Cp1252.h"

#include <cstdint>

namespace tavrelo {

namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves unused,
// which stand for the control character of their own number.
const char32_t kHighControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The byte for code point c; false when the code page has none.
bool byteFor(char32_t c, char& byte)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == 0 ? c == char32_t(0x80 + i) : kHighControls[i] == c) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

// The code point of the sequence at utf8[i] and its length; false for a stray,
// truncated, overlong or surrogate sequence (size then 1). An overlong "/" must not
// become a separator that the name on disk does not hold.
bool decodeAt(const std::string& utf8, size_t i, char32_t& c, size_t& size)
{
    size = 1;
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= utf8.size())
        return false;
    c = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
        if ((next >> 6) != 0x2)
            return false;
        c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    size = static_cast<size_t>(extra) + 1;
    return true;
}

} // namespace

std::string Cp1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80])
            c = kHighControls[b - 0x80];
        appendUtf8(out, c);
    }
    return out;
}

std::string Utf8ToCp1252(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        size_t size = 1;
        char byte = '?';
        if (!decodeAt(utf8, i, c, size) || !byteFor(c, byte))
            byte = '?';
        out += byte;
        i += size;
    }
    return out;
}

bool Utf8ToCp1252Exactly(const std::string& utf8, std::string& out)
{
    out.clear();
    if (FirstUtf8OutsideCp1252(utf8) != std::string::npos)
        return false;
    out = Utf8ToCp1252(utf8);
    return true;
}

size_t FirstUtf8OutsideCp1252(const std::string& utf8, size_t* size, char32_t* code)
{
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        size_t length = 1;
        char byte;
        const bool decoded = decodeAt(utf8, i, c, length);
        if (!decoded || !byteFor(c, byte)) {
            if (size)
                *size = length;
            if (code)
                *code = decoded ? c : 0;
            return i;
        }
        i += length;
    }
    return std::string::npos;
}

} // namespace tavrelo
