#include "platform/FileSystem.h"

#include "platform/FileNames.h"
#include "platform/RunError.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrelo {

int OpenCheck(const std::string& path)
{
    if (path.empty())
        return RunError::BadFileName;
    struct stat st;
    const std::string name = SystemFileName(path);
    if (::stat(name.c_str(), &st) != 0) {
        const int failure = RunErrorFromErrno(errno);
        const std::string folder = FolderOf(path);
        if (failure == RunError::FileNotFound && !folder.empty() && !IsDirectory(folder))
            return RunError::PathNotFound;
        return failure;
    }
    if (!S_ISREG(st.st_mode))
        return RunError::PathFileAccess;
    if (::access(name.c_str(), R_OK) != 0)
        return RunErrorFromErrno(errno);
    return RunError::None;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::stat(SystemFileName(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsWritableOrMissing(const std::string& path)
{
    const std::string name = SystemFileName(path);
    return ::access(name.c_str(), F_OK) != 0 || ::access(name.c_str(), W_OK) == 0;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::stat(SystemFileName(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool NameTaken(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::lstat(SystemFileName(path).c_str(), &st) == 0;
}

bool RemoveFile(const std::string& path)
{
    return std::remove(SystemFileName(path).c_str()) == 0;
}

bool FileSize(const std::string& path, std::uint64_t& size)
{
    struct stat st;
    if (path.empty() || ::stat(SystemFileName(path).c_str(), &st) != 0)
        return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return std::fopen(SystemFileName(path).c_str(), mode);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of(kPathSeparator == '/' ? "/" : "\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == kPathSeparator || folder.back() == '/')
        return folder + name;
    return folder + kPathSeparator + name;
}

namespace {

std::string fromSystem(const std::string& resolved)
{
    std::string path;
    return FileNameFromSystem(resolved, path) ? path : resolved;
}

} // namespace

std::string CanonicalPath(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(SystemFileName(path).c_str(), resolved))
        return fromSystem(resolved);
    // The file does not exist yet: resolve its folder and keep the name.
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(folder.size());
    std::string base = folder.empty() ? "." : folder;
    if (::realpath(SystemFileName(base).c_str(), resolved))
        return JoinPath(fromSystem(resolved), name);
    if (!path.empty() && path[0] == '/')
        return path;
    char cwd[PATH_MAX];
    return ::getcwd(cwd, sizeof cwd) ? JoinPath(fromSystem(cwd), path) : path;
}

} // namespace tavrelo
