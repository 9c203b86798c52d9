#pragma once
// The remembered list choices of [Default] brought within their lists after a read,
// as the main window's combo boxes would take them.
#include "app/SettingsModel.h"

namespace tavrelo {

// Every index outside its list (negative ones included) becomes 0; StOpEditor other
// than 0 or 1 becomes 0. Only the format choice of the current receive kind is
// checked. False when a list that must show a choice is empty (its combo box would
// refuse any selection) or the receive kind is not 0, 1 or 2 (no such option).
bool ClampChoices(SettingsModel& model);

} // namespace tavrelo
