#pragma once
// Reading the settings file into the model: control texts key by key, the tooltips,
// [Default] and [Help file], then the lists and messages by a line scan.
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "platform/Profile.h"

#include <string>
#include <vector>

namespace tavrelo {

// What a settings read could not take as the file holds it, in words for the user.
struct SettingsReadReport {
    // Why the read failed: the section or key that could not be read ("the list
    // [Coomunication Port] has no items"). Empty after a read that succeeded, and
    // when there is no file at all.
    std::string fault;
    // Saved choices of [Default] outside their lists, each replaced by the list's
    // first item; one line per key.
    std::vector<std::string> fallbacks;
};

// Applies one control's section to its texts; a missing value leaves its property as
// it was. A value a control would refuse (a font size of 0 or less, a negative height
// or width) is skipped. Returns false when the kind has a caption and the section
// has none or an empty one (the caption is then left as it was).
bool ApplyControlSection(const Profile& ini, ControlText& control, const std::string& key, ControlKind kind);

// The same as the windows' load handlers call it: empties DialogAnswer first and
// sets SettingsRead false when a required caption is missing.
void ReadControlSection(const Profile& ini, ControlText& control, const std::string& key, ControlKind kind,
                        ProgramState& state);

// Reads state.IniPath into the model. attempt 0 is the first read at start-up, which
// fails on a missing caption of the main or help window; attempt 1 the read after a
// rebuild, which goes on. The outcome is state.SettingsRead, also returned: false when
// the file cannot be read, a caption is missing (attempt 0), the file ends before
// "[Messages]", a receive-format list has more than 19 items, a [Default] integer
// leaves the 16-bit range, a list that must offer a choice is empty, or the receive
// kind is not 0, 1 or 2. Whatever was applied before a failure stays applied. The
// section "Help_Net0" is never applied: that web address keeps its built-in text.
// report, when given, receives what could not be read.
bool ReadIniFile(SettingsModel& model, ProgramState& state, int attempt, SettingsReadReport* report = nullptr);

// The same read from the file's bytes held in memory.
bool ReadIniText(const std::string& bytes, SettingsModel& model, ProgramState& state, int attempt,
                 SettingsReadReport* report = nullptr);

// The settings file's bytes for keyed reads as the reader makes them: a header typed
// among the items of a list opens no section.
Profile SettingsProfile(const std::string& bytes);
// The settings file at iniPath read so, for the option sections and the dialogs'
// texts; false (the profile empty) when it cannot be read, as Profile::load.
bool LoadSettingsProfile(Profile& profile, const std::string& iniPath);

// The model a run goes on with when the settings file cannot be written: the text a
// rebuild would write, read by the same reader. The model's control texts are reset
// to their built-in defaults.
void LoadDefaultSettings(SettingsModel& model, ProgramState& state);

} // namespace tavrelo
