#include "platform/FileLock.h"

#include "platform/FileNames.h"
#include "platform/RunError.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrelo {

namespace {

// Files replaced under a starting copy by holders on their way out are opened again;
// only an endless run of such replacements would use up these tries.
constexpr int kTries = 100;

} // namespace

FileLock::FileLock(const std::string& path)
    : m_name(SystemFileName(path))
{
    if (!path.empty())
        acquire();
}

FileLock::~FileLock()
{
    close();
}

#ifndef _WIN32

namespace {

// Never wait on the file, never make a terminal the controlling one, never hand the
// descriptor to a started program (the editor), which would hold the lock on.
constexpr int kOpenFlags = O_NOCTTY | O_CLOEXEC | O_NONBLOCK;

FileLock::Kind KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return FileLock::Kind::Folder;
    if (S_ISFIFO(mode))
        return FileLock::Kind::Pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileLock::Kind::Device;
    if (S_ISSOCK(mode))
        return FileLock::Kind::Socket;
    return FileLock::Kind::Other;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A file that this user may read but not write (or one that is being executed) can
// still be locked through a descriptor for reading.
bool WriteRefused(int error)
{
    return error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY;
}

} // namespace

void FileLock::acquire()
{
    const char* name = m_name.c_str();
    for (int attempt = 0; attempt < kTries; ++attempt) {
        struct stat named;
        if (::lstat(name, &named) != 0) {
            int fd = -1;
            if (errno == ENOENT) {
                // Of copies that find no file, one makes it; the others open that one.
                fd = ::open(name, O_RDWR | O_CREAT | O_EXCL | kOpenFlags, 0644);
                if (fd < 0 && errno == EEXIST)
                    continue;
            }
            if (fd < 0) {
                m_state = State::NoPlace;
                m_error = RunErrorFromErrno(errno);
                return;
            }
            if (take(fd, true))
                return;
            continue;
        }
        struct stat target;
        if (::stat(name, &target) != 0) { // a link that leads nowhere
            m_state = State::Unopenable;
            m_error = RunErrorFromErrno(errno);
            return;
        }
        if (!S_ISREG(target.st_mode)) {
            m_state = State::NotAFile;
            m_kind = KindOf(target.st_mode);
            return;
        }
        bool writable = true;
        int fd = ::open(name, O_RDWR | kOpenFlags);
        if (fd < 0 && WriteRefused(errno)) {
            writable = false;
            fd = ::open(name, O_RDONLY | kOpenFlags);
        }
        if (fd < 0 && errno == ENOENT)
            continue; // removed by its holder meanwhile
        if (fd < 0) {
            m_state = State::Unopenable;
            m_error = RunErrorFromErrno(errno);
            return;
        }
        if (take(fd, writable))
            return;
    }
    m_state = State::HeldByAnother;
}

bool FileLock::take(std::intptr_t handle, bool writable)
{
    const int fd = static_cast<int>(handle);
    struct stat opened;
    if (::fstat(fd, &opened) != 0) {
        m_error = RunErrorFromErrno(errno);
        ::close(fd);
        m_state = State::Unopenable;
        return true;
    }
    if (!S_ISREG(opened.st_mode)) { // put in the file's place after the test
        m_kind = KindOf(opened.st_mode);
        ::close(fd);
        m_state = State::NotAFile;
        return true;
    }
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool busy = !locked && (errno == EWOULDBLOCK || errno == EAGAIN);
    struct stat now;
    if (::stat(m_name.c_str(), &now) != 0 || !SameFile(now, opened)) {
        ::close(fd);
        return false;
    }
    m_handle = fd;
    m_writable = writable;
    m_state = busy ? State::HeldByAnother : State::Held;
    return true;
}

std::string FileLock::contents(size_t max) const
{
    std::string bytes;
    if (m_handle < 0)
        return bytes;
    bytes.resize(max);
    size_t got = 0;
    while (got < max) {
        const ssize_t n = ::pread(static_cast<int>(m_handle), &bytes[got], max - got, static_cast<off_t>(got));
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

// Written over the old bytes and then cut to length, never emptied first: one who
// reads it meanwhile finds whole words of one holder or the other.
bool FileLock::write(const std::string& bytes)
{
    if (m_state != State::Held || !m_writable)
        return false;
    const int fd = static_cast<int>(m_handle);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

void FileLock::release(bool remove)
{
    if (m_state == State::Held && remove) {
        struct stat opened, now;
        if (::fstat(static_cast<int>(m_handle), &opened) == 0 && ::stat(m_name.c_str(), &now) == 0 &&
            SameFile(opened, now))
            ::unlink(m_name.c_str());
    }
    close();
}

void FileLock::close()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle)); // the lock goes with the last descriptor
    m_handle = -1;
    if (m_state == State::Held || m_state == State::HeldByAnother)
        m_state = State::Released;
}

#else

namespace {

// One byte far past any words the file holds: Windows keeps others from reading a
// locked range, and the words must stay readable.
constexpr DWORD kLockOffset = 0x7FFFFFFF;

HANDLE AsHandle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

int RunErrorFromWindows(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return RunError::FileNotFound;
    case ERROR_PATH_NOT_FOUND: return RunError::PathNotFound;
    case ERROR_ACCESS_DENIED: return RunError::PermissionDenied;
    case ERROR_WRITE_PROTECT: return RunError::PermissionDenied;
    case ERROR_INVALID_NAME: return RunError::BadFileName;
    default: return RunError::PathFileAccess;
    }
}

HANDLE Open(const std::string& name, DWORD access, DWORD disposition)
{
    return ::CreateFileA(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

void FileLock::acquire()
{
    for (int attempt = 0; attempt < kTries; ++attempt) {
        const DWORD attributes = ::GetFileAttributesA(m_name.c_str());
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
        if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            m_state = State::NotAFile;
            m_kind = Kind::Folder;
            return;
        }
        bool writable = true;
        HANDLE handle = Open(m_name, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
        if (handle == INVALID_HANDLE_VALUE && exists && ::GetLastError() == ERROR_ACCESS_DENIED) {
            writable = false;
            handle = Open(m_name, GENERIC_READ, OPEN_EXISTING);
        }
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_SHARING_VIOLATION || error == ERROR_DELETE_PENDING) { // its holder removes it
                ::Sleep(10);
                continue;
            }
            m_state = exists ? State::Unopenable : State::NoPlace;
            m_error = RunErrorFromWindows(error);
            return;
        }
        if (take(reinterpret_cast<std::intptr_t>(handle), writable))
            return;
    }
    m_state = State::HeldByAnother;
}

bool FileLock::take(std::intptr_t value, bool writable)
{
    const HANDLE handle = AsHandle(value);
    const DWORD type = ::GetFileType(handle);
    if (type != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        m_state = State::NotAFile;
        m_kind = type == FILE_TYPE_PIPE ? Kind::Pipe : type == FILE_TYPE_CHAR ? Kind::Device : Kind::Other;
        return true;
    }
    OVERLAPPED at{};
    at.Offset = kLockOffset;
    const bool locked = ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
    const DWORD error = locked ? 0 : ::GetLastError();
    m_handle = value;
    m_writable = writable;
    m_state = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? State::HeldByAnother : State::Held;
    return true;
}

std::string FileLock::contents(size_t max) const
{
    std::string bytes;
    if (m_handle == -1)
        return bytes;
    bytes.resize(max);
    size_t got = 0;
    while (got < max) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(got);
        DWORD n = 0;
        if (!::ReadFile(AsHandle(m_handle), &bytes[got], static_cast<DWORD>(max - got), &n, &at) || n == 0)
            break;
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

bool FileLock::write(const std::string& bytes)
{
    if (m_state != State::Held || !m_writable)
        return false;
    OVERLAPPED at{};
    DWORD n = 0;
    if (!::WriteFile(AsHandle(m_handle), bytes.data(), static_cast<DWORD>(bytes.size()), &n, &at) ||
        n != bytes.size())
        return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(bytes.size());
    return ::SetFilePointerEx(AsHandle(m_handle), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(AsHandle(m_handle));
}

// Windows removes no file that another process holds open: one opened after this
// handle closed stays, and its opener takes the lock.
void FileLock::release(bool remove)
{
    const bool wasHeld = m_state == State::Held;
    close();
    if (wasHeld && remove)
        ::DeleteFileA(m_name.c_str());
}

void FileLock::close()
{
    if (m_handle != -1)
        ::CloseHandle(AsHandle(m_handle)); // the lock goes with the handle
    m_handle = -1;
    if (m_state == State::Held || m_state == State::HeldByAnother)
        m_state = State::Released;
}

#endif

} // namespace tavrelo
