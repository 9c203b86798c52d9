#pragma once
// The communication settings of the serial link as the Settings page chose them, and
// the device that a port number names on this machine.
#include <string>
#include <vector>

namespace tavrelo {

class SettingsModel;

struct PortSettings {
    int portNumber = 1;  // list position + 1, whatever the item's text
    int baudRate = 19200;
    int dataBits = 8;
    bool xonXoff = true; // software flow control; parity none and one stop bit always
};

// The settings chosen, or why they cannot be a serial port's.
struct PortChoice {
    PortSettings settings;
    std::string refused; // in plain words; "" when the settings can be used
};

// From the chosen items of the port, speed, data-bits and flow-control lists: the
// speed and data bits by their item texts (leading number), the port by its list
// position, Xon/Xoff for every flow-control item but the first. A speed that is not a
// whole number of baud above 0 that fits 32 bits ("1e10") and data bits other than 5
// to 8 ("32768") are refused, naming the item.
PortChoice ChosenPortSettings(const SettingsModel& model);

// The text of item `index` of a list, "" when the list has no such item.
std::string ListItem(const std::vector<std::string>& list, int index);

// What a port's path is, looked at without opening it.
enum class DeviceKind {
    Device,     // a device that may be a serial port (or one the system says nothing of)
    Missing,    // nothing there: an adapter not plugged in
    LinkCircle, // links that lead back to one another and reach nothing
    Folder,
    File,       // a plain file
    NotSerial,  // a device of another kind, such as /dev/null
};
DeviceKind DeviceKindOf(const std::string& device);

// The device behind a port number and how it was found.
struct PortDevice {
    std::string device;  // what the port is opened by
    std::string link;    // the name of its link in the program folder, "COM<n>"
    bool linked = false; // the program folder has that link
    bool exists = false; // the device is there
    DeviceKind kind = DeviceKind::Device;
};

// The device behind port number n: the target of a link "COM<n>" in the program
// folder when there is one (a USB adapter or a test's pseudo-terminal; a link to
// nothing gives the path it points to), otherwise /dev/ttyS<n-1>.
PortDevice FindPortDevice(const std::string& appPath, int portNumber);
std::string PortDeviceName(const std::string& appPath, int portNumber);

// The device and the way it was found, for the user: "/dev/ttyUSB0 (through the link
// COM1 in the program folder)" or "/dev/ttyS0 (there is no link COM1 in the program
// folder)".
std::string PortDeviceDescription(const PortDevice& device);

// The same in one short line for the Settings page, saying when the device is not
// there or no serial device: "Opens /dev/ttyS0: no link COM1 in the program folder",
// "Opens /home/s/jobs through the link COM1: a folder, not a serial device".
std::string PortDeviceLine(const PortDevice& device);

} // namespace tavrelo
