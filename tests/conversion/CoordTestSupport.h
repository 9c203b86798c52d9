#pragma once
// Shared by the coordinate tests: a folder of the test's own, file helpers and a
// conversion context with a recording user.
#include "app/ProgramState.h"
#include "conversion/ConversionContext.h"
#include "platform/UserInteraction.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tavrelo::testing {

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/tavrelo-coord-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempFolder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline bool Exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

inline std::string Fixture(const std::string& name)
{
    return std::string(TAVRELO_TEST_DATA) + "/" + name;
}

// Lines joined with CR LF, each ended by one.
inline std::string CrLf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

struct ContextHarness {
    ProgramState state;
    RecordingInteraction ui;
    ConversionContext context{state, ui};
    ContextHarness() { state.OutputFileMode = 2; }
};

} // namespace tavrelo::testing
