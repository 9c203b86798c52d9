#pragma once
// The outcome of writing the settings file: the core reports, the window says it.
#include "platform/RunError.h"

#include <string>

namespace tavrelo {

struct SettingsFileResult {
    int error = 0;    // failure number, 0 when the file was written
    std::string path; // the file concerned

    bool ok() const { return error == 0; }
    // One sentence naming the file, for the single message the program shows.
    std::string message() const
    {
        return ok() ? std::string() : "Cannot write the settings file " + path + ": " + RunErrorDescription(error);
    }
};

} // namespace tavrelo
