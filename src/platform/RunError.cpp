#include "platform/RunError.h"

#include <cerrno>

namespace tavrelo {

namespace {

struct ErrnoRow { int errnoValue; int number; };
const ErrnoRow kErrnoRows[] = {
    {ENOENT, RunError::FileNotFound},
    {ENOTDIR, RunError::PathNotFound},
    {EACCES, RunError::PermissionDenied},
    {EPERM, RunError::PermissionDenied},
    {EROFS, RunError::PermissionDenied},
    {EISDIR, RunError::PathFileAccess},
    {EBUSY, RunError::PathFileAccess},
    {ETXTBSY, RunError::PathFileAccess},
    {ENAMETOOLONG, RunError::BadFileName},
    {EINVAL, RunError::BadFileName},
    {ENOSPC, RunError::DiskFull},
    {EDQUOT, RunError::DiskFull},
    {EFBIG, RunError::DiskFull}, // the file may grow no further
    {EMFILE, RunError::TooManyFiles},
    {ENFILE, RunError::TooManyFiles},
    {EIO, RunError::DeviceIO},
    {ENXIO, RunError::DeviceUnavailable},
    {ENODEV, RunError::DeviceUnavailable},
    {EEXIST, RunError::FileAlreadyExists},
    {ENOMEM, RunError::OutOfMemory},
};

struct DescriptionRow { int number; const char* text; };
const DescriptionRow kDescriptions[] = {
    {RunError::InvalidArgument, "Invalid procedure call or argument"},
    {RunError::Overflow, "Overflow"},
    {RunError::OutOfMemory, "Out of memory"},
    {RunError::SubscriptOutOfRange, "Subscript out of range"},
    {RunError::TypeMismatch, "Type mismatch"},
    {RunError::BadFileName, "Bad file name or number"},
    {RunError::FileNotFound, "File not found"},
    {RunError::FileAlreadyOpen, "File already open"},
    {RunError::DeviceIO, "Device I/O error"},
    {RunError::FileAlreadyExists, "File already exists"},
    {RunError::DiskFull, "Disk full"},
    {RunError::InputPastEnd, "Input past end of file"},
    {RunError::TooManyFiles, "Too many files"},
    {RunError::DeviceUnavailable, "Device unavailable"},
    {RunError::PermissionDenied, "Permission denied"},
    {RunError::DiskNotReady, "Disk not ready"},
    {RunError::PathFileAccess, "Path/File access error"},
    {RunError::PathNotFound, "Path not found"},
    {RunError::LineTooLong, "The file is not a survey data file: a line is too long"},
    {RunError::FileTooLarge, "The file is too large"},
    {RunError::SettingsRefused, "The program would not read it at its next start"},
};

} // namespace

int RunErrorFromErrno(int errnoValue)
{
    for (const auto& row : kErrnoRows)
        if (row.errnoValue == errnoValue)
            return row.number;
    return errnoValue == 0 ? RunError::None : RunError::PathFileAccess;
}

std::string RunErrorDescription(int number)
{
    for (const auto& row : kDescriptions)
        if (row.number == number)
            return row.text;
    return "Application-defined or object-defined error";
}

} // namespace tavrelo
