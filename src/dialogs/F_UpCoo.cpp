#include "dialogs/F_UpCoo.h"

#include "app/DefaultControlTexts.h"

namespace tavrelo {

std::vector<std::string> F_UpCoo::TextKeys()
{
    std::vector<std::string> keys = ControlKeysOf(SettingsWindow::UploadCoordForm);
    for (const std::string& key : ControlKeysOf(SettingsWindow::CoordForm))
        if (key.rfind(kCoordFormPrefix, 0) == 0)
            keys.push_back(key);
    return keys;
}

F_UpCoo::F_UpCoo(SettingsModel& model, ProgramState& state, CoordinateFieldOptions& store,
                 UserInteraction& interaction, QWidget* parent)
    : CoordFieldOrderDialog(model, state, store, interaction, parent, "F_UpCoo", TextKeys(), "CoordFormUL")
{
}

} // namespace tavrelo
