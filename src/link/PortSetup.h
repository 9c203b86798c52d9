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
// failure DialogAnswer holds the failure's number as decimal text, message 15 has
// been shown (critical, titled message 11) and the link is closed.
bool OpenPort(SerialLink& link, const SettingsModel& model, ProgramState& state, UserInteraction& ui);

} // namespace tavrelo
