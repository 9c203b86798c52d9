#include "link/core/PortFailure.h"

#include "platform/FileNames.h"

#include <cerrno>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavrelo {

namespace {

struct FailureText {
    PortFailure failure;
    const char* text;
};

const FailureText kFailureTexts[] = {
    {PortFailure::InUse, "Another program is using this port. Close that program and try again, or choose "
                         "another port on the Settings tab."},
    {PortFailure::NoDevice, "There is no such device. Is the adapter plugged in?"},
    {PortFailure::NoPermission, "You may not open this device. Add your user to the dialout group "
                                "(sudo usermod -aG dialout $USER) and log in again."},
    {PortFailure::Folder, "This is a folder, not a serial device."},
    {PortFailure::File, "This is a file, not a serial device."},
    {PortFailure::NotSerial, "This is not a serial device."},
};

// How the user gives the port a serial device, for a path that is none; the command
// on a line of its own, so that the box never breaks it.
std::string PointAtAdapter(const PortDevice& device)
{
    if (device.linked)
        return "Point the link " + device.link + " in the program folder at the adapter's device:\r\nln -sfn "
               "/dev/ttyUSB0 " + device.link;
    return "Make a link " + device.link + " in the program folder to the adapter's device:\r\nln -s /dev/ttyUSB0 "
           + device.link;
}

} // namespace

DeviceAccess AccessOf(const std::string& device)
{
#ifdef _WIN32
    (void)device;
    return DeviceAccess::Allowed;
#else
    if (::faccessat(AT_FDCWD, SystemFileName(device).c_str(), R_OK | W_OK, AT_EACCESS) == 0)
        return DeviceAccess::Allowed;
    return errno == ENOENT || errno == ENOTDIR ? DeviceAccess::Missing : DeviceAccess::Denied;
#endif
}

PortFailure RefusalOf(const std::string& device)
{
    switch (AccessOf(device)) {
    case DeviceAccess::Missing:
        return PortFailure::NoDevice;
    case DeviceAccess::Denied:
        return PortFailure::NoPermission;
    default:
        return PortFailure::InUse;
    }
}

PortFailure FailureOfKind(DeviceKind kind)
{
    switch (kind) {
    case DeviceKind::LinkCircle: return PortFailure::LinkCircle;
    case DeviceKind::Folder: return PortFailure::Folder;
    case DeviceKind::File: return PortFailure::File;
    case DeviceKind::NotSerial: return PortFailure::NotSerial;
    case DeviceKind::Device:
    case DeviceKind::Missing: break;
    }
    return PortFailure::Other;
}

std::string PortFailureLines(const PortDevice& device, PortFailure failure, const std::string& refused,
                             const std::string& systemReason)
{
    std::string lines = "Device: " + PortDeviceDescription(device);
    if (failure == PortFailure::SettingsRefused && !refused.empty())
        lines += "\r\n" + refused;
    if (failure == PortFailure::LinkCircle)
        lines += "\r\nThe link " + device.link + " leads round in a circle of links and reaches no device.";
    for (const FailureText& entry : kFailureTexts)
        if (entry.failure == failure)
            lines += std::string("\r\n") + entry.text;
    if (FailureOfKind(device.kind) == failure && failure != PortFailure::Other)
        lines += " " + PointAtAdapter(device);
    if (!systemReason.empty())
        lines += "\r\n(" + systemReason + ")";
    return lines;
}

} // namespace tavrelo
