#pragma once
// The outcome of writing the settings file: the core reports, the window says it.
#include "platform/RunError.h"

#include <string>
#include <utility>

namespace tavrelo {

struct SettingsFileResult {
    SettingsFileResult() = default;
    SettingsFileResult(int error, std::string path, std::string why = std::string())
        : error(error)
        , path(std::move(path))
        , why(std::move(why))
    {
    }

    int error = 0;    // failure number, 0 when the file was written
    std::string path; // the file concerned
    std::string why;  // for a save refused: what the start-up would not read

    bool ok() const { return error == 0; }
    // One sentence naming the file, for the single message the program shows.
    std::string message() const
    {
        if (ok())
            return std::string();
        const std::string text = "Cannot write the settings file " + path + ": " + RunErrorDescription(error);
        return why.empty() ? text : text + ": " + why + ". The file was left as it was.";
    }
};

} // namespace tavrelo
