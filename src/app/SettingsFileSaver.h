#pragma once
// Saving what the user may have changed back into the settings file key by key: a
// key is replaced in its place, a missing key or section is added, every other line
// stays as it was. The file is written through a temporary file and a rename. Keys go
// to the sections the reader reads them from: a header typed among the items of a
// list opens no section. A save never turns a file that the start-up reads into one
// that it refuses: such a save leaves the file as it was and says why.
#include "app/ProgramState.h"
#include "app/SettingsFileResult.h"
#include "app/SettingsModel.h"
#include "platform/Profile.h"

#include <string>
#include <vector>

namespace tavrelo {

// Sets one control's keys in the file's lines: the font size as "0.00", height and
// width as whole digits, no blanks; the keys the kind has, nothing else. With Keep, a
// line that already reads as its value stays as it is. The lines marked in items are
// list items, no headers (see SetProfileLine).
void SaveControlSection(std::vector<std::string>& lines, const ControlText& control, const std::string& key,
                        ControlKind kind, SameValue same = SameValue::Rewrite, ItemLines* items = nullptr);

// The keys of a window's OK, in their order, in one guarded edit of the file at
// iniPath: each key is found and set as a keyed write of its own would set it (the
// list items marked anew for it), and the file is written once, only when the
// start-up reads the result. Otherwise nothing of it is written, and the result names
// the file and says why.
SettingsFileResult SaveSettingsValues(const std::vector<KeyedValue>& values, const std::string& iniPath);

// One control's section straight into the file at iniPath.
SettingsFileResult SaveControlSection(const ControlText& control, const std::string& key, ControlKind kind,
                                      const std::string& iniPath);

// The sections of the given keys with the model's texts and kinds, as a dialog's OK
// saves its own window in setup mode. Unknown keys are left out.
SettingsFileResult SaveControlSections(const SettingsModel& model, const std::vector<std::string>& keys,
                                       const std::string& iniPath);

// A window's OK that saves both: its control text sections (as SaveControlSections),
// then its keys (as SaveSettingsValues), all in the one guarded edit.
SettingsFileResult SaveWindowSettings(const SettingsModel& model, const std::vector<std::string>& textKeys,
                                      const std::vector<KeyedValue>& values, const std::string& iniPath);

// On leaving the program: the 100 sections of the main, download, upload and help
// windows, then the 19 [Default] keys; a line whose value did not change keeps its bytes,
// so an Exit without changes writes the file that was read. A read-only file is left
// unchanged. The result may be ignored: the program ends either way.
SettingsFileResult SaveIniFile(const SettingsModel& model, const ProgramState& state);

} // namespace tavrelo
