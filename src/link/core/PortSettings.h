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

// From the chosen items of the port, speed, data-bits and flow-control lists: the
// speed and data bits by their item texts (leading number), the port by its list
// position, Xon/Xoff for every flow-control item but the first.
PortSettings ChosenPortSettings(const SettingsModel& model);

// The text of item `index` of a list, "" when the list has no such item.
std::string ListItem(const std::vector<std::string>& list, int index);

// The device behind port number n: the target of a link "COM<n>" in the program
// folder when there is one (a USB adapter or a test's pseudo-terminal), otherwise
// /dev/ttyS<n-1>.
std::string PortDeviceName(const std::string& appPath, int portNumber);

} // namespace tavrelo
