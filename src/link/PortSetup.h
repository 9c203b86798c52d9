#pragma once
// Opening the download or upload port with the communication settings of the Settings
// page (OpenPortDL and OpenPortUL open their window's link through this).
namespace tavrelo {

class SerialLink;
class SettingsModel;
class UserInteraction;
struct ProgramState;

// Closes the link if it is open and opens port Port + 1 with the chosen speed, data
// bits and flow control. On success DialogAnswer is empty and true is returned. On
// failure DialogAnswer holds the failure's number as decimal text, the link is closed
// and one box (critical, titled message 11) has shown message 15 with the device, the
// link it came through and the reason in plain words (in use by another program, no
// such device, no permission, a speed or data bits no port takes, a path that is a
// folder, a plain file, another kind of device or a circle of links).
bool OpenPort(SerialLink& link, const SettingsModel& model, ProgramState& state, UserInteraction& ui);

} // namespace tavrelo
