#pragma once
// The built-in texts of every control of the nine text-driven windows: what a window
// shows before any settings file is read, and what a rebuilt settings file holds.
// One row per control section, in the order the sections stand in the file.
#include "app/ControlText.h"
#include "app/SettingsModel.h"

#include <vector>

namespace tavrelo {

struct DefaultControlText {
    const char* key;
    ControlKind kind;
    SettingsWindow window;
    const char* caption;
    const char* fontName;
    bool bold;
    bool italic;
    double fontSize; // points
    double height;   // twips, the designed size
    double width;    // twips
    const char* toolTip;
};

// All 171 rows in file order.
const std::vector<DefaultControlText>& DefaultControlTexts();

ControlText ToControlText(const DefaultControlText& row);

// The section keys of one window, in file order (the dialogs save these).
std::vector<std::string> ControlKeysOf(SettingsWindow window);

} // namespace tavrelo
