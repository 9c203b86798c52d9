#include "platform/FileNames.h"

#include "platform/Cp1252.h"

#include <cstdio>

namespace tavrelo {

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
    // The name as given, every character the code page cannot hold shown as it is;
    // only bytes that are no character at all are marked, as they cannot be shown.
    std::string shown, characters;
    int count = 0;
    bool noCharacter = false;
    size_t from = 0;
    for (;;) {
        size_t size = 0;
        char32_t code = 0;
        const size_t bad = FirstUtf8OutsideCp1252(name.substr(from), &size, &code);
        if (bad == std::string::npos)
            break;
        shown += name.substr(from, bad);
        const std::string character = name.substr(from + bad, size);
        if (code == 0) {
            char mark[16];
            std::snprintf(mark, sizeof mark, "<0x%02X>", static_cast<unsigned char>(name[from + bad]));
            shown += mark;
            noCharacter = true;
        } else {
            shown += character;
            const std::string quoted = "\"" + character + "\"";
            if (characters.find(quoted) == std::string::npos) {
                characters += (count == 0 ? "" : ", ") + quoted;
                ++count;
            }
        }
        from += bad + size;
    }
    if (count == 0 && !noCharacter)
        return std::string();
    shown += name.substr(from);
    std::string text = "The name \"" + shown + "\" holds ";
    if (count > 0)
        text += (count == 1 ? "the character " + characters + ", which has" : "the characters " + characters +
                                                                                 ", which have") +
                " no place in Windows-1252, the code page that the program keeps file names in";
    if (noCharacter)
        text += std::string(count > 0 ? ", and " : "") +
                "bytes (marked <0x..>) that are no character in the system's file-name encoding";
    return text + ".";
}

} // namespace tavrelo
