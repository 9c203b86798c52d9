#pragma once
// The remembered list choices of [Default] brought within their lists after a read,
// as the main window's combo boxes would take them.
#include "app/SettingsModel.h"

#include <string>
#include <vector>

namespace tavrelo {

// Every index outside its list (negative ones included) becomes 0; StOpEditor other
// than 0 or 1 becomes 0. Only the format choice of the current receive kind is
// checked. Each choice so replaced adds a line to fallbacks naming its key, its list
// and the item used instead. False when a list that must show a choice is empty (its
// combo box would refuse any selection) or the receive kind is not 0, 1 or 2 (no
// such option); fault then names the list or the key.
bool ClampChoices(SettingsModel& model, std::string& fault, std::vector<std::string>& fallbacks);

} // namespace tavrelo
