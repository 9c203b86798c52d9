#pragma once
// What the message of a completed download says beyond "Data transmission
// successfully completed.", asked of the store that follows it just before the box is
// shown: where a last line that came without its line end is kept, what became of the
// copies of the received data made at that moment and, for data stored as received
// (stored then), of the target's old last line that had no line end.
#include "conversion/ConversionDispatch.h"

#include <functional>

namespace tavrelo {

// Called with whether the last line came without its line end.
using CompletionStep = std::function<DownloadEndNotes(bool lastLineUnended)>;

} // namespace tavrelo
