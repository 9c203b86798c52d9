#pragma once
// Binds a dialog's control text sections to its widgets by name: the window's own
// section to the dialog, every other section to the child whose objectName is the
// key after the window prefix ("CoordForm_ComOk" -> "ComOK", letter case aside),
// with the kind the section has in the table of default texts.
#include "app/ProgramState.h"
#include "dialogs/DialogTexts.h"
#include "platform/Profile.h"

#include <string>
#include <vector>

class QWidget;

namespace tavrelo {

class SettingsModel;

struct SectionNames {
    std::vector<std::string> keys; // in the order they are read and saved
    std::string windowKey;
    std::string prefix;
};

// A key without a widget is left out.
void AddSectionsByName(DialogTexts& texts, QWidget* dialog, const SectionNames& names);

// The built-in texts of those sections put onto the widgets.
void ApplyBuiltInTexts(QWidget* dialog, const SectionNames& names);

// A dialog's load: its control texts and its option section from the settings file.
// While the file is rewritten it reads nothing: built-in texts, new-file options.
template <class Options>
void LoadDialog(DialogTexts& texts, QWidget* dialog, const SectionNames& names, SettingsModel& model,
                ProgramState& state, Options& options)
{
    if (!texts.loadWithOptions(model, state, [&options](const Profile& ini) { options.load(ini); }))
        ApplyBuiltInTexts(dialog, names);
}

} // namespace tavrelo
