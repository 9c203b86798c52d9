#pragma once
// For the writer tests: outside readers run as programs, a file-size limit that makes
// every write past it fail (a sink that fails after N bytes, on the real file path),
// and a readable hex dump of binary output.
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <string>
#include <sys/resource.h>

namespace tavrelo::testing {

// The standard output of a shell command, and whether it exited with 0.
inline bool RunCommand(const std::string& command, std::string& output)
{
    output.clear();
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return false;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    return ::pclose(pipe) == 0;
}

inline bool HasProgram(const std::string& program)
{
    std::string ignored;
    return RunCommand("command -v " + program, ignored);
}

// A Python interpreter that has ezdxf ("" when none has): the distribution's package
// goes with the system interpreter, which need not be the first python3 on the path.
inline std::string PythonWithEzdxf()
{
    std::string ignored;
    for (const char* python : {"python3", "/usr/bin/python3"})
        if (RunCommand(std::string(python) + " -c 'import ezdxf'", ignored))
            return python;
    return "";
}

// While it lives, no file of this process can grow past `bytes`: writes beyond fail
// with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_handler)(int) = SIG_DFL;
};

// Bytes as lowercase hex, one line per `width` bytes, bytes separated by blanks.
inline std::string HexDump(const std::string& bytes, size_t width)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        out += digits[c >> 4];
        out += digits[c & 15];
        out += (i + 1) % width == 0 || i + 1 == bytes.size() ? '\n' : ' ';
    }
    return out;
}

} // namespace tavrelo::testing
