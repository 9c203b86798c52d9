#pragma once
// A window's OK that could not write the settings file says so as Exit does: one
// critical box titled with message 11 ("Error") that names the file and the reason
// (and, for a save the start-up would refuse, that the file was left as it was).
#include "app/SettingsFileResult.h"

namespace tavrelo {

class SettingsModel;
class UserInteraction;

// Shows the box when result is a failure; returns result.ok().
bool ReportSettingsSave(const SettingsFileResult& result, const SettingsModel& model, UserInteraction& ui);

} // namespace tavrelo
