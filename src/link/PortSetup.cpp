#include "link/PortSetup.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "link/SerialLink.h"
#include "link/core/PortFailure.h"
#include "link/core/PortSettings.h"
#include "platform/UserInteraction.h"

namespace tavrelo {

namespace {

// The serial control's number for a setting it refuses (invalid property value).
constexpr int kInvalidSetting = 380;

std::string SettingsText(const PortSettings& settings)
{
    return "The port does not take these settings (" + std::to_string(settings.baudRate) + " baud, "
           + std::to_string(settings.dataBits) + " data bits). Choose others on the Settings tab.";
}

// What the port's refusal means for the user, looked up on the device itself where
// the port's answer is the same for different causes (a lock held by another program
// and a device the user may not open both come as a permission error).
PortFailure FailureOf(const SerialLink& link, const PortDevice& device)
{
    // A path that is no serial device at all is said as such: the port's answer for a
    // file or /dev/null is the one for settings a port refuses, and for a folder or a
    // circle of links only the system's words.
    if (const PortFailure notSerial = FailureOfKind(device.kind); notSerial != PortFailure::Other)
        return notSerial;
    switch (link.error()) {
    case QSerialPort::DeviceNotFoundError:
        return PortFailure::NoDevice;
    case QSerialPort::PermissionError:
        return RefusalOf(device.device);
    case QSerialPort::UnsupportedOperationError:
        return PortFailure::SettingsRefused;
    default:
        return AccessOf(device.device) == DeviceAccess::Missing ? PortFailure::NoDevice : PortFailure::Other;
    }
}

} // namespace

bool OpenPort(SerialLink& link, const SettingsModel& model, ProgramState& state, UserInteraction& ui)
{
    state.DialogAnswer.clear();
    const PortChoice choice = ChosenPortSettings(model);
    const PortDevice device = FindPortDevice(state.AppPath, choice.settings.portNumber);
    std::string why;
    if (!choice.refused.empty()) {
        link.close();
        state.DialogAnswer = std::to_string(kInvalidSetting);
        why = PortFailureLines(device, PortFailure::SettingsRefused, choice.refused, "");
    } else if (link.open(device.device, choice.settings)) {
        return true;
    } else {
        state.DialogAnswer = std::to_string(link.errorNumber());
        why = PortFailureLines(device, FailureOf(link, device), SettingsText(choice.settings),
                               FromQt(link.errorString()));
    }
    ui.message(model.message(15) + "\r\n" + why, MessageButtons::Ok, MessageIcon::Critical, model.message(11));
    return false;
}

} // namespace tavrelo
