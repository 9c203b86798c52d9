#include "platform/FileNames.h"

#include "platform/Cp1252.h"

#include <cstdio>

namespace tavrelo {

namespace {

// "U+0141" for a character, "the byte 0xF8" for bytes that are no character.
std::string describe(const std::string& name, size_t at, char32_t code, std::string& mark)
{
    char text[32];
    if (code == 0) {
        std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned char>(name[at]));
        mark = std::string("<") + text + ">";
        return std::string("the byte ") + text + ", which is no character in the system's file-name encoding";
    }
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    mark = std::string("<") + text + ">";
    return std::string("the character ") + text + ", which has no place in Windows-1252, the code page that "
           "the program keeps file names in";
}

} // namespace

#ifdef _WIN32
// The system's ANSI code page is Windows-1252 itself.
std::string SystemFileName(const std::string& path)
{
    return path;
}

bool FileNameFromSystem(const std::string& systemName, std::string& path)
{
    path = systemName;
    return true;
}
#else
std::string SystemFileName(const std::string& path)
{
    return Cp1252ToUtf8(path);
}

bool FileNameFromSystem(const std::string& systemName, std::string& path)
{
    return Utf8ToCp1252Exactly(systemName, path);
}
#endif

std::string RefusedFileNameText(const std::string& name)
{
    // The name as far as the code page holds it, every character it cannot hold marked.
    std::string shown, what;
    size_t from = 0;
    for (;;) {
        size_t size = 0;
        char32_t code = 0;
        const size_t bad = FirstUtf8OutsideCp1252(name.substr(from), &size, &code);
        if (bad == std::string::npos)
            break;
        std::string mark;
        const std::string description = describe(name, from + bad, code, mark);
        if (what.empty())
            what = description;
        shown += Utf8ToCp1252(name.substr(from, bad)) + mark;
        from += bad + size;
    }
    if (what.empty())
        return std::string();
    shown += Utf8ToCp1252(name.substr(from));
    return "The name \"" + shown + "\" holds " + what + ".";
}

} // namespace tavrelo
