#include "link/core/PortSettings.h"

#include "app/SettingsModel.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/sysmacros.h>
#endif

namespace tavrelo {

namespace {

// The number rules' whole number of a list item; false when it does not fit.
template <class Whole, Whole (*Convert)(double)>
bool WholeNumber(const std::string& text, int& value)
{
    try {
        value = Convert(Val(text));
        return true;
    } catch (const OverflowError&) {
        return false;
    }
}

std::string RefusedItem(const char* what, const std::string& item, const char* usable)
{
    return std::string("The ") + what + " \"" + item + "\" chosen on the Settings tab is not " + usable
           + ". Choose another on the Settings tab, or correct the list in Tavrelo.ini.";
}

} // namespace

std::string ListItem(const std::vector<std::string>& list, int index)
{
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[index] : std::string();
}

PortChoice ChosenPortSettings(const SettingsModel& model)
{
    const ProgramSettings& s = model.settings;
    PortChoice choice;
    PortSettings& port = choice.settings;
    port.portNumber = s.Port + 1;
    port.xonXoff = s.FlowControl != 0;
    const std::string speed = ListItem(model.SpeedList, s.Speed);
    const std::string dataBits = ListItem(model.DataBitsList, s.DataBits);
    if (!WholeNumber<int32_t, CLng>(speed, port.baudRate) || port.baudRate <= 0)
        choice.refused = RefusedItem("speed", speed, "a speed a serial port can use");
    else if (!WholeNumber<int16_t, CInt>(dataBits, port.dataBits) || port.dataBits < 5 || port.dataBits > 8)
        choice.refused = RefusedItem("number of data bits", dataBits, "one a serial port can use (5 to 8)");
    return choice;
}

namespace {

#ifdef __linux__
// Whether the system files the character device under a class other than the
// terminals (tty), as /dev/null is under mem; a device it says nothing of (a
// pseudo-terminal) may be a serial port.
bool OfAnotherClass(dev_t number)
{
    namespace fs = std::filesystem;
    const fs::path entry = "/sys/dev/char/" + std::to_string(major(number)) + ":" + std::to_string(minor(number));
    std::error_code error;
    const fs::path subsystem = fs::read_symlink(entry / "subsystem", error);
    return !error && subsystem.filename() != "tty";
}
#endif

} // namespace

DeviceKind DeviceKindOf(const std::string& device)
{
#ifdef _WIN32
    (void)device;
    return DeviceKind::Device;
#else
    struct stat status {};
    if (::stat(SystemFileName(device).c_str(), &status) != 0) {
        if (errno == ELOOP)
            return DeviceKind::LinkCircle;
        return errno == ENOENT || errno == ENOTDIR ? DeviceKind::Missing : DeviceKind::Device;
    }
    if (S_ISDIR(status.st_mode))
        return DeviceKind::Folder;
    if (S_ISREG(status.st_mode))
        return DeviceKind::File;
    if (!S_ISCHR(status.st_mode))
        return DeviceKind::NotSerial;
#ifdef __linux__
    if (OfAnotherClass(status.st_rdev))
        return DeviceKind::NotSerial;
#endif
    return DeviceKind::Device;
#endif
}

PortDevice FindPortDevice(const std::string& appPath, int portNumber)
{
    namespace fs = std::filesystem;
    PortDevice found;
    found.link = "COM" + std::to_string(portNumber);
    const fs::path link = SystemFileName(JoinPath(appPath, found.link));
    std::error_code error;
    found.linked = fs::is_symlink(link, error);
    std::string device = "/dev/ttyS" + std::to_string(portNumber - 1);
    if (found.linked) {
        // The device itself, so that its lock is shared with other programs using it.
        const fs::path resolved = fs::canonical(link, error);
        if (!error) {
            device = resolved.string();
        } else {
            const fs::path target = fs::read_symlink(link, error);
            device = error ? link.string() : (link.parent_path() / target).lexically_normal().string();
        }
    }
    found.exists = fs::exists(device, error);
    // A target whose name the code page cannot hold is reached through the link itself.
    if (!FileNameFromSystem(device, found.device))
        found.device = JoinPath(appPath, found.link);
    found.kind = DeviceKindOf(found.device);
    return found;
}

std::string PortDeviceName(const std::string& appPath, int portNumber)
{
    return FindPortDevice(appPath, portNumber).device;
}

std::string PortDeviceDescription(const PortDevice& device)
{
    if (device.linked)
        return device.device + " (through the link " + device.link + " in the program folder)";
    return device.device + " (there is no link " + device.link + " in the program folder)";
}

std::string PortDeviceLine(const PortDevice& device)
{
    const std::string through = " through the link " + device.link;
    if (device.linked) {
        switch (device.kind) {
        case DeviceKind::LinkCircle:
            return "Opens no device: the link " + device.link + " in the program folder leads round in a circle of links";
        case DeviceKind::Folder: return "Opens " + device.device + through + ": a folder, not a serial device";
        case DeviceKind::File: return "Opens " + device.device + through + ": a file, not a serial device";
        case DeviceKind::NotSerial: return "Opens " + device.device + through + ": not a serial device";
        case DeviceKind::Device:
        case DeviceKind::Missing: break;
        }
    }
    if (device.linked)
        return "Opens " + device.device + (device.exists ? ", through the link " + device.link + " in the program folder"
                                                         : " through the link " + device.link
                                                               + ": not there. Is the adapter plugged in?");
    return "Opens " + device.device + (device.exists ? ": " : ", which is not there: ") + "no link " + device.link
           + " in the program folder";
}

} // namespace tavrelo
