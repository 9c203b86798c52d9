#include "platform/ByteSink.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/LineEnds.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
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
    writeLineEnd();
}

void ByteSink::writeLineEnd()
{
    write(kCrLf.data(), kCrLf.size());
}

FileSink::~FileSink()
{
    close();
}

bool FileSink::open(const std::string& path, Mode mode)
{
    return openSystemName(SystemFileName(path), mode);
}

bool FileSink::openSystemName(const std::string& systemName, Mode mode)
{
    close();
    m_file = std::fopen(systemName.c_str(), mode == Mode::Append ? "ab" : "wb");
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

constexpr int kMostLinks = 40; // as the system's own limit on a chain of links

// The name a target finally leads to: symbolic links followed one by one, also a link
// to a file that does not exist yet. All in the system's bytes.
std::string followLinks(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < kMostLinks; ++depth) {
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer - 1);
        if (length <= 0)
            return current;
        const std::string link(buffer, static_cast<size_t>(length));
        current = link[0] == '/' ? link : FolderOf(current) + link;
    }
    return current; // a loop of links: the open then fails as the system says
}

// A name beside the target, unique in this process, no longer than a name may be:
// a target name of 250 bytes gives a shorter start, not a name the system refuses.
std::string temporaryNameFor(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(target);
    const std::string name = target.substr(folder.size());
    const std::string suffix = ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    const size_t most = limit > 0 ? static_cast<size_t>(limit) : 255;
    const size_t keep = most > suffix.size() ? std::min(name.size(), most - suffix.size()) : 0;
    return folder + name.substr(0, keep) + suffix;
}

} // namespace

AtomicFile::AtomicFile(const std::string& target)
    : m_target(followLinks(SystemFileName(target))), m_temporary(temporaryNameFor(m_target))
{
    struct stat info {};
    if (::stat(m_target.c_str(), &info) == 0) {
        // A pipe, a device or a folder is no file to replace, and a read-only file
        // is one the user has not allowed to change.
        if (!S_ISREG(info.st_mode)) {
            fail(RunError::PathFileAccess);
            m_done = true;
            return;
        }
        if (::access(m_target.c_str(), W_OK) != 0) {
            fail(RunErrorFromErrno(errno));
            m_done = true;
            return;
        }
        m_replaces = true;
        m_mode = info.st_mode & 07777;
        m_owner = info.st_uid;
        m_group = info.st_gid;
    }
    if (!m_sink.openSystemName(m_temporary, FileSink::Mode::Truncate))
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
    if (!failed() && m_replaces) {
        // Another user's file written by root stays theirs; for everyone else the
        // owner cannot change, the call fails and the writer owns the new file.
        [[maybe_unused]] const bool owned = ::chown(m_temporary.c_str(), m_owner, m_group) == 0;
        if (::chmod(m_temporary.c_str(), m_mode) != 0)
            fail(RunErrorFromErrno(errno));
    }
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

int CopyFileAtomically(const std::string& from, const std::string& to, bool* readFailed)
{
    LineReader in(from);
    if (readFailed)
        *readFailed = !in.isOpen();
    if (!in.isOpen())
        return in.error();
    AtomicFile copy(to);
    std::string_view bytes;
    while (!copy.failed() && in.nextBytes(bytes))
        copy.write(bytes.data(), bytes.size());
    if (in.error() != 0) {
        if (readFailed)
            *readFailed = true;
        return in.error(); // the copy goes with its temporary file
    }
    return copy.commit() ? 0 : copy.error();
}

} // namespace tavrelo
