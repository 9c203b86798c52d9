#include "link/core/PortSettings.h"

#include "app/SettingsModel.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"

#include <filesystem>
#include <system_error>

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
    if (device.linked)
        return "Opens " + device.device + (device.exists ? ", through the link " + device.link + " in the program folder"
                                                         : " through the link " + device.link
                                                               + ": not there. Is the adapter plugged in?");
    return "Opens " + device.device + (device.exists ? ": " : ", which is not there: ") + "no link " + device.link
           + " in the program folder";
}

} // namespace tavrelo
