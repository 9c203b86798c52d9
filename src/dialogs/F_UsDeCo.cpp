#include "dialogs/F_UsDeCo.h"

#include "app/DefaultControlTexts.h"

namespace tavrelo {

F_UsDeCo::F_UsDeCo(SettingsModel& model, ProgramState& state, CoordinateFieldOptions& store,
                   UserInteraction& interaction, QWidget* parent)
    : CoordFieldOrderDialog(model, state, store, interaction, parent, "F_UsDeCo",
                            ControlKeysOf(SettingsWindow::CoordForm), "CoordForm")
{
}

} // namespace tavrelo
