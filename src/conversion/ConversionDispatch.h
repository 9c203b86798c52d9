#pragma once
// The step that turns received or chosen data into the file the user asked for:
// copy or append it, or run the converter of the chosen format, with the option
// dialog first where the format needs one. The windows are reached through
// DispatchHost, so the dispatch itself runs without any window.
#include "conversion/ConversionContext.h"
#include "conversion/OutputTarget.h"

#include <string>
#include <vector>

namespace tavrelo {

class DispatchHost {
public:
    virtual ~DispatchHost() = default;
    // The option dialogs, shown modally; false when the user cancelled (also by the close box).
    virtual bool showKofDialog() = 0;
    virtual bool showDxfDialog() = 0;
    virtual bool showCalcDialog() = 0;
    // A file's raw-data conversion into KOF ends the life of the KOF dialog that its
    // OK left loaded; a coordinate file's conversion leaves it loaded.
    virtual void unloadKofDialog() {}
    // The "Converting" / "Please Wait" note while a converter runs, and the final
    // "Finished" / "Conversion finished" window.
    virtual void showConvertingNote(const std::string& sourceCaption) = 0;
    virtual void hideConvertingNote() = 0;
    virtual void showFinished() = 0;
};

struct DispatchRequest {
    int OpReceive = 0;   // 0 raw data, 1 coordinates, 2 other
    int formatIndex = 0; // index in the format list of that kind and source
    std::string input;   // the temporary file, or JobPath followed by the source caption
    std::string target;  // the target name box, as typed
    // "Also save the original data format" shown and ticked.
    bool rawCopy = false;
    // The source caption (for the note window); starting with "<" means no file chosen.
    std::string sourceCaption;
    // Set by KeepAtDownloadEnd: the copy it made ("" none), which the store tells as
    // where received data is kept.
    std::string keptCopy;
    // Set by KeepAtDownloadEnd when it stored the data as received, so that its box
    // can say what the target holds: the store is not run again, and its messages
    // (a failure) are shown after that box, in their order.
    bool storedAtDownloadEnd = false;
    bool storeFailed = false;
    int storeBeeps = 0;
    std::vector<RecordingInteraction::Message> storeMessages;
};

// What the message of a completed download adds: the file that keeps a last line that
// came without its line end ("" the temporary file), and sentences about the copy
// made (or not made) or about the old last line of a target appended to, "" none.
struct DownloadEndNotes {
    std::string lastLinePlace;
    std::string more;
};

// After a download: input is the temporary file. Received data that does not reach
// the target (a cancelled dialog, a failed store or converter, a format without
// converter) is kept by KeepReceivedData, beside the target or in the program folder
// (state.AppPath), and the user is told which file holds it. The raw copy the user
// asked for is made before, at the end of the download (KeepAtDownloadEnd).
void ConvertReceivedFile(ConversionContext& context, DispatchHost& host, const DispatchRequest& request);

// At the end of a completed download, just before its message, so that the message
// says it: the raw copy the user asked for is written now, and so is a copy of the
// received data when its last line came without its line end on a road that converts
// (the converters leave such a record out and count it). Stored as received, the
// data, that line too, goes into the target now, and the notes say what became of an
// old last line without a line end that the data was appended to; when the target
// cannot be written, the data is kept in such a copy and the notes name it. The copy
// goes beside the target, or into the program folder when it cannot be written there.
DownloadEndNotes KeepAtDownloadEnd(ConversionContext& context, DispatchRequest& request, bool lastLineUnended);

// Before a download, for the store it will lead to: true (after the store's own
// message) when the target would be refused there: by the copy rule and the
// converters' file checks, a DXF drawing to be appended to, or a target that is the
// calculation's control-point file or the KOF point-number file as the stored options
// name them. Nothing is written.
bool RefuseReceivedTarget(ConversionContext& context, const DispatchRequest& request);

// For a file on disk.
void ConvertFiles(ConversionContext& context, DispatchHost& host, const DispatchRequest& request);

// Copies input beside output under the raw-data extension (job.txt -> job.zvk, then
// job1.zvk ... job19.zvk while the name is taken by anything: a file, folder, pipe or
// link). Returns the name written, "" when the copy failed, no name was free or
// nothing was asked; sets *error when the copy failed or no name was free.
std::string SaveRawCopy(const std::string& input, const std::string& output, int* error = nullptr);
// The first of those names (job.txt -> job.zvk).
std::string RawCopyName(const std::string& output);

// What is stored as received: raw data in the instrument's own format (records the
// readers take values from), or data kept as it came (SDR, "Other").
enum class ReceivedContent { RawData, AsItCame };

// The copy rule: OutputFileMode 2 replaces the target by the received data, 1 appends
// every line, 0 writes nothing. Returns false (and leaves the old target) on failure.
// Appended to a target whose last line has no line end (a download cut short), the
// data starts on a line of its own; raw data first turns that line, when it is a
// record cut off there, into a comment marked cut short (kCutShortMark, then the
// record), which every reader leaves out and tells as a record cut short. What was done with the line goes to *appendNote, or,
// without appendNote, into a box of its own.
bool CopyReceivedData(ConversionContext& context, const std::string& input, const std::string& target,
                      ReceivedContent content = ReceivedContent::AsItCame, std::string* appendNote = nullptr);

// The mark that turns a last line cut off without its line end into a comment:
// kCutShortMark for a record the readers take values from, in a file whose lines before it end;
// "" for anything else (a comment, a line of a file of one line, which is whole).
std::string CutRecordMark(const UnendedLastLine& line);
// What the user is told of such a line after an append; "" when there was none.
std::string UnendedLastLineText(const UnendedLastLine& line, const std::string& target);

} // namespace tavrelo
