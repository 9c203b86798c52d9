#pragma once
// The step that turns received or chosen data into the file the user asked for:
// copy or append it, or run the converter of the chosen format, with the option
// dialog first where the format needs one. The windows are reached through
// DispatchHost, so the dispatch itself runs without any window.
#include "conversion/ConversionContext.h"

#include <string>

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
};

// What the message of a completed download adds: the file that will keep a last line
// that came without its line end ("" the temporary file), and sentences about the
// copy made (or not made), "" none.
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
// data, that line too, goes into the target. The copy goes beside the target, or
// into the program folder when it cannot be written there.
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

// The copy rule: OutputFileMode 2 replaces the target by the received data, 1 appends
// every line, 0 writes nothing. Returns false (and leaves the old target) on failure.
bool CopyReceivedData(ConversionContext& context, const std::string& input, const std::string& target);

} // namespace tavrelo
