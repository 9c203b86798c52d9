#pragma once
// A fresh folder under the system's temporary folder for one test, removed afterwards,
// so no test touches the build folder or another test's settings file.
#include "app/ProgramState.h"
#include "platform/LineReader.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tavrelo::test {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrelo_app_XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        m_path += '/';
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Program folder (with its separator) and settings path, as start-up sets them.
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + name; }
    ProgramState state() const
    {
        ProgramState state;
        state.AppPath = m_path;
        state.IniPath = file("Tavrelo.ini");
        return state;
    }

private:
    std::string m_path;
};

inline std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

// Lines joined with CR LF, each line ended.
inline std::string CrLf(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* line : lines)
        out += std::string(line) + "\r\n";
    return out;
}

// The text with its one occurrence of `from` replaced; fails the test when absent.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::runtime_error("text to replace not found: " + from);
    return text.replace(at, from.size(), to);
}

} // namespace tavrelo::test
