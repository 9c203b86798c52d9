#pragma once
// Writing the settings file whole: every section with its default lines, the control
// sections with the texts the model holds at that moment.
#include "app/ProgramState.h"
#include "app/SettingsFileResult.h"
#include "app/SettingsModel.h"
#include "platform/ByteSink.h"

#include <string>

namespace tavrelo {

// Appends one control's section: the header, the lines its kind has, an empty line.
// Sizes in print form (" 8.25 "), the width as whole digits.
void WriteControlSection(ByteSink& out, const ControlText& control, const std::string& key, ControlKind kind);

// The whole file as bytes: the model's control texts and [Default] values, every
// other section with its defaults. CR LF line ends, no byte-order mark.
std::string DefaultIniText(const SettingsModel& model);

// Resets the model's settings to their rebuild defaults (DataSendFormat keeps its
// value) and writes state.IniPath anew through a temporary file and a rename, so a
// failure leaves the old file as it was. CreateIniMode is true while it runs;
// DialogAnswer is empty afterwards.
SettingsFileResult CreateIniFile(SettingsModel& model, ProgramState& state);

// Keeps a copy of the existing settings file as "Tavrelo.ini.bak" in the program
// folder, before a rebuild replaces a file that could not be read. Nothing to keep
// is a success.
SettingsFileResult BackupIniFile(const ProgramState& state);

// The rebuild defaults of the [Default] and [Help file] values, DataSendFormat kept.
void ResetProgramSettings(ProgramSettings& settings);

} // namespace tavrelo
