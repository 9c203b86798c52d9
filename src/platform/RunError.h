#pragma once
// Failure numbers in the numbering the settings file, the file helpers and the
// converters' messages use (53 file not found, 76 path not found, ...).
#include <string>

namespace tavrelo {

namespace RunError {
constexpr int None = 0;
constexpr int InvalidArgument = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIO = 57;
constexpr int FileAlreadyExists = 58;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int TooManyFiles = 67;
constexpr int DeviceUnavailable = 68;
constexpr int PermissionDenied = 70;
constexpr int DiskNotReady = 71;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
// The system's own: a line longer than any line of the files the system reads (the
// file is of another kind), and a file larger than any of its kind.
constexpr int LineTooLong = 1001;
constexpr int FileTooLarge = 1002;
// A save whose result the program's own reader would refuse at the next start.
constexpr int SettingsRefused = 1003;
} // namespace RunError

// The number for an operating-system error (errno) met while opening or writing.
int RunErrorFromErrno(int errnoValue);

// The description the user sees for a failure number ("File not found").
std::string RunErrorDescription(int number);

} // namespace tavrelo
