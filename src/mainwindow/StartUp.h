#pragma once
// The program's start: the splash, the program folder and settings-file path, the
// command line, the settings read with its recovery by a rebuild of the file, the
// captions of the three pages, the splash's minimum time, and the main window shown.
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "conversion/OptionStores.h"

#include <memory>
#include <string>

namespace tavrelo {

class F_DatTr;
class UserInteraction;

constexpr const char* kSetupModeCommand = "Custom Layout";
constexpr const char* kCreateIniCommand = "CreateIniFile";

struct StartOptions {
    // The folder of the executable; a trailing separator is added when it lacks one.
    std::string appFolder;
    // The program's arguments joined by single blanks.
    std::string commandLine;
    // How long the splash stands at the least; more than this passes before the main
    // window shows.
    int minimumSplashMs = 2000;
};

// What a run holds: the program-wide state, the settings, the options of the
// conversion dialogs and the main window.
struct ProgramSession {
    ProgramState state;
    SettingsModel model;
    OptionStores options;
    std::unique_ptr<F_DatTr> mainWindow;
    ~ProgramSession();
};

// Runs the start-up sequence and returns with the main window shown and the splash
// closed. Messages go through interaction.
std::unique_ptr<ProgramSession> Main(const StartOptions& options, UserInteraction& interaction);

// The arguments after the program's name joined by single blanks.
std::string JoinArguments(int argc, char* argv[]);

} // namespace tavrelo
