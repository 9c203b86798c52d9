#pragma once
#include <QString>

#include <string>

namespace tavrelo {

class UserInteraction;

// Starts the program: start-up sequence, main window, event loop. Returns the exit code.
int RunProgram(int argc, char* argv[]);

// The program folder as the program holds it, from Qt's path of the executable's
// folder. False, after a box that says so, when its name holds a character that
// Windows-1252 cannot hold: the settings file and the received data have no place then.
bool AppFolderFromQt(const QString& folder, std::string& appFolder, UserInteraction& ui);

} // namespace tavrelo
