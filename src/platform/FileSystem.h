#pragma once
// The few file-system facts the system needs, with the path rules of the platform:
// only regular files count as files, and no check blocks on a pipe or a device.
// Paths are Windows-1252 and reach the system through FileNames.h.
#include <cstdint>
#include <cstdio>
#include <string>

namespace tavrelo {

// The native separator between a folder and a name.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// 0 when path names an existing regular file that can be opened for reading, else
// the failure number an open would give: 53 missing, 76 folder missing, 75 a folder,
// pipe or device, 70 no permission.
int OpenCheck(const std::string& path);

bool IsRegularFile(const std::string& path);
// False for an existing file that the user may not write (a read-only file).
bool IsWritableOrMissing(const std::string& path);
bool IsDirectory(const std::string& path);
// True when anything has that name: a file, folder, pipe, device or link (one that
// leads nowhere too).
bool NameTaken(const std::string& path);
bool RemoveFile(const std::string& path);
// False when path names nothing that has a size.
bool FileSize(const std::string& path, std::uint64_t& size);
// std::fopen of the file the path names.
std::FILE* OpenFile(const std::string& path, const char* mode);

// The folder part of a path including its final separator ("" when there is none).
std::string FolderOf(const std::string& path);

// An absolute path with "." and ".." resolved and symbolic links followed where the
// file or its folder exists, so two spellings of one file compare equal. Where the
// resolved path holds a name Windows-1252 cannot hold (a link into such a folder), the
// system's own bytes, still fit for comparing.
std::string CanonicalPath(const std::string& path);

// Folder joined with name by the native separator (none added when folder ends in one).
std::string JoinPath(const std::string& folder, const std::string& name);

} // namespace tavrelo
