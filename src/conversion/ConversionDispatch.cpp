#include "conversion/ConversionDispatch.h"

#include "conversion/CalcOptions.h"
#include "conversion/ConverterFiles.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/ConverterReport.h"
#include "conversion/CutShortRecords.h"
#include "conversion/DxfConverters.h"
#include "conversion/KofOptions.h"
#include "conversion/OutputTarget.h"
#include "conversion/ReceivedDataCopy.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

// What the dispatch does for one format of one list.
enum class Action { Copy, Kof, KofAfterDialog, Mapa2, Eghas, Nedcad, Calc, RecordFile, UserCoor, Dxf, Sdr33, Nothing };

// Received raw data, by ComboDataFormatN.
const Action kReceivedRaw[] = {
    Action::Copy,   Action::Kof,    Action::Mapa2, Action::Copy,       Action::Copy,
    Action::Eghas,  Action::Nedcad, Action::Calc,  Action::RecordFile,
};
// Received coordinates, by ComboDataFormatC.
const Action kReceivedCoor[] = {
    Action::UserCoor, Action::Dxf, Action::KofAfterDialog, Action::Copy, Action::Copy, Action::Sdr33,
};
// A raw-data file on disk, by ComboDataFormatNFile; a coordinate file by ComboDataFormatCFile.
const Action kFileRaw[] = {Action::Kof, Action::Mapa2, Action::Eghas, Action::Nedcad, Action::Calc, Action::RecordFile};
const Action kFileCoor[] = {Action::Dxf, Action::Kof};

// The road of received raw data or coordinates; null for another kind or a list item
// past the formats this program knows.
const Action* receivedRoad(const DispatchRequest& request)
{
    if (request.OpReceive != 0 && request.OpReceive != 1)
        return nullptr;
    const bool raw = request.OpReceive == 0;
    const int count = raw ? static_cast<int>(std::size(kReceivedRaw)) : static_cast<int>(std::size(kReceivedCoor));
    if (request.formatIndex < 0 || request.formatIndex >= count)
        return nullptr;
    return raw ? &kReceivedRaw[request.formatIndex] : &kReceivedCoor[request.formatIndex];
}

const char* converterName(Action action, bool rawInput)
{
    switch (action) {
    case Action::Kof:
    case Action::KofAfterDialog: return rawInput ? "ConvertRawToKOF" : "ConvertCoorToKOF";
    case Action::Mapa2: return "ConvertRawToMapa2";
    case Action::Eghas: return "ConvertRawToEghas";
    case Action::Nedcad: return "ConvertRawToNedcad";
    case Action::Calc: return "CalcRawCoordinates";
    case Action::RecordFile: return "ConvertRawToRecordFile";
    case Action::UserCoor: return "ConvertCoorToUserCoor";
    case Action::Dxf: return "ConvertCoorToDXF";
    case Action::Sdr33: return "ConvertCoorToSDR33";
    default: return "";
    }
}

void runConverter(ConversionContext& context, const char* name, const std::string& input, const std::string& target)
{
    const ConverterEntry* entry = FindConverter(name);
    if (!entry) {
        ReportConverterFailure(context, std::string("No converter \"") + name + "\" is built into this program.");
        return;
    }
    context.ui.setBusy(true);
    entry->run(context, input, target);
    context.ui.setBusy(false);
}

void reportCopyFailure(ConversionContext& context, int error, const std::string& path)
{
    context.ui.message(RunErrorDescription(error) + ": " + path, MessageButtons::Ok, MessageIcon::Critical,
                       MessageText(context, 11, "Error"));
    context.state.TransferStatus = "E";
}

// What became of received data in the dispatch.
enum class Stored { Yes, NotAsked, NotConverted, Failed };

// Where received data that did not reach its target is kept, in the user's words:
// the lead says what it was for, the copy's name where it is now.
std::string keptCopyText(const KeptCopy& kept, const std::string& input, const std::string& lead)
{
    if (kept.path.empty())
        return lead + " No copy of it could be written (" + RunErrorDescription(kept.error) + "). It is still in " +
               input + ": please copy that file elsewhere before the next Download.";
    return lead + " It is kept in " + kept.path + ".";
}

// A box of its own for such a text: an error when no copy could be written.
void tellKept(ConversionContext& context, const KeptCopy& kept, const std::string& text)
{
    if (kept.path.empty())
        context.ui.message(text, MessageButtons::Ok, MessageIcon::Critical, MessageText(context, 11, "Error"));
    else
        context.ui.message(text, MessageButtons::Ok, MessageIcon::Information, MessageText(context, 6, "Warning"));
}

// Received data that is not in its target is kept beside it, or in the program folder
// when it cannot be written there: a cancelled dialog, a converter's failure or a
// full disk after a download never loses the field data. A copy made at the end of
// the download already holds it.
void keepReceivedData(ConversionContext& context, const DispatchRequest& request, Stored stored)
{
    const std::string target = Trim(request.target);
    KeptCopy kept;
    kept.path = request.keptCopy;
    if (kept.path.empty())
        kept = KeepReceivedData(request.input, target, context.state.AppPath);
    const std::string lead = stored == Stored::NotConverted
                                 ? std::string("The received data was not converted.")
                                 : "The received data could not be stored in " + target + ".";
    tellKept(context, kept, keptCopyText(kept, request.input, lead));
}

// What the user is told of the copy of the raw data beside a converted target: its
// name when it is not the first one (the user looks for that), or where it went when
// it could not be written there. "" when it is where the user looks.
std::string rawCopyText(const KeptCopy& kept, const std::string& input, const std::string& target)
{
    if (!kept.besideTarget)
        return keptCopyText(kept, input,
                            "The original data could not be saved beside " + target + " (" +
                                RunErrorDescription(kept.besideError) + ").");
    const std::string first = RawCopyName(target);
    return kept.path == first ? std::string()
                              : "The original data is saved in " + kept.path + ", as " + first + " already exists.";
}

// A list item the settings file adds past the formats this program knows has no
// converter: said plainly, never finished as if something had been written.
void refuseUnknownFormat(ConversionContext& context)
{
    ReportConverterFailure(context, "This format cannot be converted from here. Please choose another format.");
}

// The target checks of a store by action, before anything is asked or written: the
// converters' own file rules with the path and the reason, a DXF drawing to append
// to, and the other files the store reads.
bool refuseTarget(ConversionContext& context, const DispatchRequest& request, Action action)
{
    const std::string target = Trim(request.target);
    const int refusal = CheckConverterTarget(target, context.state.OutputFileMode);
    if (refusal != 0) {
        ReportConverterFailure(context, TargetRefusalText(target, refusal));
        return true;
    }
    // The other inputs as the stored options name them now; the converters check them
    // again, as the calculation dialog may still change them.
    const auto refuseInput = [&](const std::string& other) {
        return RefuseOwnInput(context, target, request.input, {other});
    };
    switch (action) {
    case Action::Dxf:
        return RefuseDxfAppend(context, target);
    case Action::Calc:
        return context.calc && refuseInput(context.calc->ControlFileName);
    case Action::Kof:
    case Action::KofAfterDialog:
        return context.kof && context.kof->UsePointNumberConversion != 0 && refuseInput(context.kof->KofpointFile);
    default:
        return false;
    }
}

// The received data goes into the target as it came: the copy rule of "Other" and of
// the formats stored as received, with Append or Overwrite.
bool storedAsReceived(const ConversionContext& context, const DispatchRequest& request)
{
    const int mode = context.state.OutputFileMode;
    if (mode != 1 && mode != 2)
        return false;
    if (request.OpReceive == 2)
        return true;
    const Action* road = receivedRoad(request);
    return road && *road == Action::Copy;
}

// Raw data in the instrument's own format (the first item of its list) is what the
// raw-data readers read; SDR data and "Other" are kept as they came.
ReceivedContent receivedContent(const DispatchRequest& request)
{
    return request.OpReceive == 0 && request.formatIndex == 0 ? ReceivedContent::RawData
                                                               : ReceivedContent::AsItCame;
}

// The copy rule run as the download ends, its messages held for after the download's
// box; the notes say what the target holds, or where the data is kept instead.
void storeAtDownloadEnd(ConversionContext& context, DispatchRequest& request, DownloadEndNotes& notes)
{
    const std::string target = Trim(request.target);
    RecordingInteraction held;
    ConversionContext quiet(context.state, held);
    quiet.message = context.message;
    std::string appended;
    bool stored = false;
    context.ui.setBusy(true);
    RunGuarded(quiet, [&] {
        stored = CopyReceivedData(quiet, request.input, target, receivedContent(request), &appended);
    });
    context.ui.setBusy(false);
    request.storedAtDownloadEnd = true;
    request.storeFailed = !stored;
    request.storeBeeps = held.beeps;
    request.storeMessages = held.messages;
    if (stored) {
        notes.lastLinePlace = target;
        notes.more = appended;
        return;
    }
    const KeptCopy kept = KeepReceivedData(request.input, target, context.state.AppPath);
    request.keptCopy = kept.path;
    notes.lastLinePlace = kept.path.empty() ? request.input : kept.path;
}

// The store run as the download ended, told now: its messages in their order.
Stored tellStoreAtDownloadEnd(ConversionContext& context, const DispatchRequest& request)
{
    for (int i = 0; i < request.storeBeeps; ++i)
        context.ui.beep();
    for (const RecordingInteraction::Message& m : request.storeMessages)
        context.ui.message(m.text, m.buttons, m.icon, m.title);
    context.state.TransferStatus = request.storeFailed ? "E" : "OK";
    return request.storeFailed ? Stored::Failed : Stored::Yes;
}

} // namespace

std::string CutRecordMark(const UnendedLastLine& line)
{
    if (!line.linesBefore)
        return std::string();
    const std::string_view text = TrimBlanks(line.start);
    const RawRecordCode* record = FindRawRecordOfLine(text);
    return record && IsCutShort(*record, text, true) ? std::string(kCutShortMark) : std::string();
}

std::string UnendedLastLineText(const UnendedLastLine& line, const std::string& target)
{
    if (!line.found)
        return std::string();
    const std::string shown = line.start + (line.length > line.start.size() ? "..." : "");
    const std::string number = std::to_string(line.lineNumber);
    const std::string lead = "The last line of " + target + " (\"" + shown +
                             "\") had no line end, as when a transfer ends early.";
    if (!line.mark.empty())
        return lead + " It is a record cut short: so that no conversion reads it as a whole one, it is now the "
                      "comment line " + number + " (\"" + line.mark + shown + "\"), and the received data follows it.";
    return lead + " It now stands as it came on a line of its own, line " + number +
           ", and the received data follows it.";
}

DownloadEndNotes KeepAtDownloadEnd(ConversionContext& context, DispatchRequest& request, bool lastLineUnended)
{
    DownloadEndNotes notes;
    const std::string target = Trim(request.target);
    const bool asReceived = storedAsReceived(context, request);
    if (asReceived) {
        storeAtDownloadEnd(context, request, notes);
        return notes;
    }
    if (request.rawCopy || lastLineUnended) {
        const KeptCopy kept = KeepReceivedData(request.input, target, context.state.AppPath);
        request.keptCopy = kept.path;
        if (request.rawCopy)
            notes.more = rawCopyText(kept, request.input, target);
        else if (kept.path.empty())
            notes.more = keptCopyText(kept, request.input,
                                      "The last line does not go into " + target + " with the converted data.");
    }
    notes.lastLinePlace = request.keptCopy.empty() ? request.input : request.keptCopy;
    return notes;
}

bool RefuseReceivedTarget(ConversionContext& context, const DispatchRequest& request)
{
    const Action* road = receivedRoad(request);
    return refuseTarget(context, request, road ? *road : Action::Nothing);
}

bool CopyReceivedData(ConversionContext& context, const std::string& input, const std::string& target,
                      ReceivedContent content, std::string* appendNote)
{
    const int mode = context.state.OutputFileMode;
    if (mode != 1 && mode != 2)
        return true;
    // Replacing would delete the received data with the input, appending would read
    // what it writes.
    if (RefuseOwnInput(context, target, input))
        return false;
    LineReader reader(input);
    if (!reader.isOpen()) {
        reportCopyFailure(context, reader.error(), input);
        return false;
    }
    // Both modes go through a temporary file beside the target: the old target is
    // replaced only once the received data is safely in the new one.
    const OutputTarget::UnendedLineMark mark = content == ReceivedContent::RawData ? CutRecordMark
                                                                                   : OutputTarget::UnendedLineMark();
    OutputTarget out(target, OutputTarget::modeFor(mode), OutputTarget::Content::Text, mark);
    CopyReceivedLines(reader, input, out);
    if (reader.error() != 0) {
        out.discard();
        reportCopyFailure(context, reader.error(), input);
        return false;
    }
    if (!out.commit()) {
        out.discard();
        ReportTargetFailure(context, out);
        return false;
    }
    reader.close();
    if (mode == 2)
        RemoveFile(input); // the received data now lives in the target
    context.state.TransferStatus = "OK";
    const std::string note = UnendedLastLineText(out.unendedLastLine(), target);
    if (appendNote)
        *appendNote = note;
    else if (!note.empty())
        context.ui.message(note, MessageButtons::Ok, MessageIcon::Information, MessageText(context, 18, "Complete"));
    return true;
}

namespace {

std::string RawCopyBase(const std::string& output)
{
    const bool hasExtension = output.size() >= 4 && output[output.size() - 4] == '.';
    return hasExtension ? output.substr(0, output.size() - 4) : output;
}

} // namespace

std::string RawCopyName(const std::string& output)
{
    return RawCopyBase(output) + ".zvk";
}

std::string SaveRawCopy(const std::string& input, const std::string& output, int* error)
{
    int failure = 0;
    std::string written;
    if (!input.empty() && !output.empty())
        written = CopyUnderFreeName(input, RawCopyBase(output), "", ".zvk", &failure);
    if (error)
        *error = failure;
    return written;
}

namespace {

Stored convertReceivedFile(ConversionContext& context, DispatchHost& host, const DispatchRequest& request)
{
    const std::string target = Trim(request.target);
    if (target.empty())
        return Stored::NotAsked;
    const auto copied = [&] {
        return CopyReceivedData(context, request.input, target, receivedContent(request)) ? Stored::Yes
                                                                                          : Stored::Failed;
    };
    const int mode = context.state.OutputFileMode;
    const bool copyAsked = mode == 1 || mode == 2;
    if (request.OpReceive == 2)
        return copyAsked ? copied() : Stored::NotAsked;
    if (request.OpReceive != 0 && request.OpReceive != 1)
        return Stored::NotAsked;
    const bool raw = request.OpReceive == 0;
    const Action* found = receivedRoad(request);
    if (!found) {
        refuseUnknownFormat(context);
        return Stored::NotConverted;
    }
    const Action action = *found;
    switch (action) {
    case Action::Copy:
        return copyAsked ? copied() : Stored::NotAsked;
    case Action::Kof:
    case Action::KofAfterDialog:
        // Raw data asks with the request word; for coordinates the dialog only stores
        // its settings. A cancelled dialog converts nothing, so no file is written with
        // settings the user turned down.
        if (action == Action::Kof)
            context.state.TransferStatus = "ConvertToKOF";
        if (!host.showKofDialog()) {
            context.state.TransferStatus = "Cancel";
            return Stored::NotConverted;
        }
        break;
    default: // the field-order list takes its separator from its options
        break;
    }
    context.state.TransferStatus.clear();
    runConverter(context, converterName(action, raw), request.input, target);
    return context.state.TransferStatus == "OK" ? Stored::Yes : Stored::Failed;
}

void convertFiles(ConversionContext& context, DispatchHost& host, const DispatchRequest& request)
{
    const std::string target = Trim(request.target);
    if (target.empty() || request.sourceCaption.empty() || request.sourceCaption[0] == '<' || request.input.empty())
        return;
    const bool raw = request.OpReceive == 0;
    Action action = Action::Nothing;
    if (raw && request.formatIndex >= 0 && request.formatIndex < static_cast<int>(std::size(kFileRaw)))
        action = kFileRaw[request.formatIndex];
    else if (request.OpReceive == 1 && request.formatIndex >= 0 && request.formatIndex < static_cast<int>(std::size(kFileCoor)))
        action = kFileCoor[request.formatIndex];

    // Refused before its option dialog: there would be nowhere to write the result.
    if (action != Action::Nothing && refuseTarget(context, request, action))
        return;
    bool showNote = false;
    switch (action) {
    case Action::Kof:
        context.state.TransferStatus = "ConvertToKOF";
        if (!host.showKofDialog()) {
            context.state.TransferStatus = "Cancel";
            return;
        }
        showNote = true;
        break;
    case Action::Dxf:
        context.state.TransferStatus = "CoorToDXF";
        if (!host.showDxfDialog()) {
            context.state.TransferStatus = "Cancel";
            return;
        }
        showNote = true;
        break;
    case Action::Calc:
        context.state.TransferStatus.clear();
        if (!host.showCalcDialog()) {
            context.state.TransferStatus = "Cancel";
            return;
        }
        break;
    case Action::Mapa2:
        showNote = true;
        break;
    default:
        break;
    }
    if (action == Action::Nothing && (raw || request.OpReceive == 1)) {
        refuseUnknownFormat(context);
        return;
    }
    if (action != Action::Nothing) {
        if (showNote)
            host.showConvertingNote(request.sourceCaption);
        context.state.TransferStatus.clear();
        runConverter(context, converterName(action, raw), request.input, target);
        if (showNote)
            host.hideConvertingNote();
        if (action == Action::Kof && raw)
            host.unloadKofDialog();
    }
    // A failed conversion ends with its failure word, without "Conversion finished".
    if (context.state.TransferStatus != "E")
        host.showFinished();
}

} // namespace

// The copy rule and the raw copy run outside any converter: they are guarded here.
// Whatever ends the store short, out of memory included, the received data is kept.
void ConvertReceivedFile(ConversionContext& context, DispatchHost& host, const DispatchRequest& request)
{
    Stored stored = Stored::Failed;
    RunGuarded(context, [&] {
        stored = request.storedAtDownloadEnd ? tellStoreAtDownloadEnd(context, request)
                                             : convertReceivedFile(context, host, request);
    });
    if (stored == Stored::NotConverted || stored == Stored::Failed)
        RunGuarded(context, [&] { keepReceivedData(context, request, stored); });
}

void ConvertFiles(ConversionContext& context, DispatchHost& host, const DispatchRequest& request)
{
    RunGuarded(context, [&] { convertFiles(context, host, request); });
}

} // namespace tavrelo
