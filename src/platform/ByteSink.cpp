#include "platform/ByteSink.h"

#include "platform/RunError.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace tavrelo {

void ByteSink::write(const char* data, size_t size)
{
    if (m_error != 0 || size == 0)
        return;
    fail(put(data, size));
}

void ByteSink::writeLine(const std::string& line)
{
    write(line.data(), line.size());
    write("\r\n", 2);
}

FileSink::~FileSink()
{
    close();
}

bool FileSink::open(const std::string& path, Mode mode)
{
    close();
    m_file = std::fopen(path.c_str(), mode == Mode::Append ? "ab" : "wb");
    if (!m_file) {
        fail(RunErrorFromErrno(errno));
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, 1 << 16);
    return true;
}

int FileSink::put(const char* data, size_t size)
{
    if (!m_file)
        return RunError::BadFileName;
    if (std::fwrite(data, 1, size, m_file) != size)
        return RunErrorFromErrno(errno);
    return 0;
}

bool FileSink::close()
{
    if (!m_file)
        return !failed();
    if (std::fflush(m_file) != 0)
        fail(RunErrorFromErrno(errno));
    if (std::fclose(m_file) != 0)
        fail(RunErrorFromErrno(errno));
    m_file = nullptr;
    return !failed();
}

namespace {
std::string temporaryNameFor(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    return target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}
} // namespace

AtomicFile::AtomicFile(const std::string& target)
    : m_target(target), m_temporary(temporaryNameFor(target))
{
    if (!m_sink.open(m_temporary, FileSink::Mode::Truncate))
        fail(m_sink.error());
}

AtomicFile::~AtomicFile()
{
    discard();
}

int AtomicFile::put(const char* data, size_t size)
{
    m_sink.write(data, size);
    return m_sink.error();
}

bool AtomicFile::commit()
{
    if (m_done)
        return !failed();
    if (!m_sink.close())
        fail(m_sink.error());
    if (!failed() && std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        fail(RunErrorFromErrno(errno));
    if (failed())
        std::remove(m_temporary.c_str());
    m_done = true;
    return !failed();
}

void AtomicFile::discard()
{
    if (m_done)
        return;
    m_sink.close();
    std::remove(m_temporary.c_str());
    m_done = true;
}

int WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    AtomicFile file(path);
    file.write(bytes);
    return file.commit() ? 0 : file.error();
}

} // namespace tavrelo
