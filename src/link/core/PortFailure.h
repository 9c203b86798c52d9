#pragma once
// Why a port could not be opened, in the user's words: the lines shown under "The
// communication port could not be opened." naming the device, the link it came
// through, what went wrong and what to do.
#include "link/core/PortSettings.h"

#include <string>

namespace tavrelo {

enum class PortFailure {
    InUse,           // another program holds the port (its lock, or the device is busy)
    NoDevice,        // no such device: a link to an adapter that is not plugged in
    NoPermission,    // the user may not open the device
    SettingsRefused, // the chosen speed or data bits, refused before or by the port
    LinkCircle,      // the COMn link leads round in a circle of links
    Folder,          // the port's path is a folder
    File,            // the port's path is a plain file
    NotSerial,       // a device of another kind, such as /dev/null
    Other,
};

// What the port's path being no serial device means; Other for a device that may be one.
PortFailure FailureOfKind(DeviceKind kind);

// What the device itself allows the user: it is missing, may not be opened for
// reading and writing, or may be. Looks only; nothing is opened.
enum class DeviceAccess { Missing, Denied, Allowed };
DeviceAccess AccessOf(const std::string& device);

// The port's refusal to lock or open counts as "in use" unless the device is missing
// or may not be opened by the user.
PortFailure RefusalOf(const std::string& device);

// The lines after message 15: "Device: ..." with the link, the plain reason (for
// SettingsRefused, `refused` says which setting; for a path that is no serial device,
// how to point the link at one), and the system's own reason in brackets when there
// is one. Joined by CR LF, with no line end first or last.
std::string PortFailureLines(const PortDevice& device, PortFailure failure, const std::string& refused,
                             const std::string& systemReason);

} // namespace tavrelo
