#pragma once
// Where received data goes when it cannot be stored as the user asked: a copy beside
// the target under the raw-data extension (job.kof -> job.zvk), or, when none can be
// written there, one in the program folder under a dated name. Received data is thus
// never left only in the temporary file that the next command empties.
#include <string>

namespace tavrelo {

class ByteSink;
class LineReader;

struct KeptCopy {
    std::string path;          // the copy written; "" when none could be
    bool besideTarget = false; // path lies beside the target
    int besideError = 0;       // why no copy could be written beside the target
    int error = 0;             // why no copy could be written at all
};

// Copies input beside target by SaveRawCopy's names, else into programFolder as
// "Download-YYYY-MM-DD-hhmmss.zvk" (local time, "-1" to "-19" added while the name is
// taken by anything). An empty programFolder gives no second place.
KeptCopy KeepReceivedData(const std::string& input, const std::string& target, const std::string& programFolder);

// The dated copy in programFolder alone; "" (with *error) when none could be written.
std::string KeepInProgramFolder(const std::string& input, const std::string& programFolder, int* error);

// Copies input (CopyLinesInto) under the first name nothing takes (NameTaken) of
// base + ending, base + separator + "1" + ending ... base + separator + "19" + ending.
// Returns the name written; "" with *error when the copy failed (70 no permission,
// ...) or every name was taken (58).
std::string CopyUnderFreeName(const std::string& input, const std::string& base, const std::string& separator,
                              const std::string& ending, int* error);

// Copies input line by line into a new file target (CR LF line ends) that lands whole
// or not at all; 0 or the failure number. A last line without its line end (a
// download cut short) is kept as it came.
int CopyLinesInto(const std::string& input, const std::string& target);

// Every line of reader, opened on path, into out with CR LF; the last one without a
// line end when it has none in the file. The reader takes lines of any length.
void CopyReceivedLines(LineReader& reader, const std::string& path, ByteSink& out);

} // namespace tavrelo
