#pragma once
// The program-wide hand-over words and start-up flags by which windows, converters and
// the link hand results to each other. One instance lives for the whole run.
#include "map/core/MapTables.h"

#include <string>

namespace tavrelo {

struct ProgramState {
    // Program folder with its trailing separator, and the settings file in it.
    std::string AppPath;
    std::string IniPath;

    bool SetupMode = false;     // "Custom Layout" on the command line
    bool SettingsRead = false;  // outcome of the last settings read
    bool CreateIniMode = false; // true while the settings file is rewritten
    bool FormLoaded = false;    // closing the main window ends the program
    bool MapSwitch = false;     // "View Map" offered after a coordinate output

    // Dialog answer word: carries a question into the question window and brings the
    // answer back; a failed open leaves its failure number here.
    std::string DialogAnswer;
    // Transfer result word: a request word before a dialog, "E" while a converter
    // runs, "OK" at its end, "Cancel", "UpOK" or "Esc" from the windows.
    std::string TransferStatus;
    // 1 append, 2 overwrite, 0 cancel.
    int OutputFileMode = 1;
    bool AbortFlag = false;

    // The map tables: filled by every coordinate calculation and by the map's own
    // loads, shown by the map window, kept for the whole run.
    MapTables Map;
};

} // namespace tavrelo
