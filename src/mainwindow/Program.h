#pragma once

namespace tavrelo {

// Starts the program: start-up sequence, main window, event loop. Returns the exit code.
int RunProgram(int argc, char* argv[]);

} // namespace tavrelo
