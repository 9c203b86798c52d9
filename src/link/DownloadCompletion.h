#pragma once
// What the message of a completed download says beyond "Data transmission
// successfully completed.", asked of the store that follows it just before the box is
// shown: where a last line that came without its line end will be kept, and what
// became of the copies of the received data made at that moment.
#include <functional>
#include <string>

namespace tavrelo {

struct CompletionNotes {
    std::string lastLinePlace; // the file that keeps such a line; "" the temporary file
    std::string more;          // further sentences for the message, "" none
};

// Called with whether the last line came without its line end.
using CompletionStep = std::function<CompletionNotes(bool lastLineUnended)>;

} // namespace tavrelo
