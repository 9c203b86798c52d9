#include "conversion/ConversionDispatch.h"

#include "conversion/ConverterFiles.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/ConverterReport.h"
#include "conversion/OutputTarget.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

// What the dispatch does for one format of one list.
enum class Action { Copy, Kof, KofAfterDialog, Mapa2, Eghas, Nedcad, Calc, RecordFile, UserCoor, Dxf, Sdr33, Nothing };

struct Road {
    Action action;
    bool rawCopy; // the raw copy rule applies afterwards
};

// Received raw data, by ComboDataFormatN.
const Road kReceivedRaw[] = {
    {Action::Copy, false}, {Action::Kof, true}, {Action::Mapa2, true}, {Action::Copy, false},
    {Action::Copy, false}, {Action::Eghas, true}, {Action::Nedcad, true}, {Action::Calc, true},
    {Action::RecordFile, true},
};
// Received coordinates, by ComboDataFormatC.
const Road kReceivedCoor[] = {
    {Action::UserCoor, false}, {Action::Dxf, true}, {Action::KofAfterDialog, true}, {Action::Copy, true},
    {Action::Copy, true}, {Action::Sdr33, true},
};
// A raw-data file on disk, by ComboDataFormatNFile; a coordinate file by ComboDataFormatCFile.
const Action kFileRaw[] = {Action::Kof, Action::Mapa2, Action::Eghas, Action::Nedcad, Action::Calc, Action::RecordFile};
const Action kFileCoor[] = {Action::Dxf, Action::Kof};

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

void tellCopyFailure(ConversionContext& context, int error, const std::string& path)
{
    context.ui.message(RunErrorDescription(error) + ": " + path, MessageButtons::Ok, MessageIcon::Critical,
                       MessageText(context, 11, "Error"));
}

void reportCopyFailure(ConversionContext& context, int error, const std::string& path)
{
    tellCopyFailure(context, error, path);
    context.state.TransferStatus = "E";
}

// The converted target is written whatever becomes of the copy, so a failed copy is
// told to the user without turning the conversion into a failure.
void rawCopyRule(ConversionContext& context, const DispatchRequest& request)
{
    if (!request.rawCopy)
        return;
    int error = 0;
    const std::string written = SaveRawCopy(request.input, Trim(request.target), &error);
    if (error != 0)
        tellCopyFailure(context, error, written.empty() ? Trim(request.target) : written);
}

// Received data that the user chose not to convert is kept beside the target, so a
// cancelled dialog after a download never loses the field data.
void keepUnconvertedData(ConversionContext& context, const DispatchRequest& request)
{
    int error = 0;
    const std::string written = SaveRawCopy(request.input, Trim(request.target), &error);
    if (error != 0 || written.empty()) {
        tellCopyFailure(context, error != 0 ? error : RunError::FileAlreadyExists,
                        written.empty() ? Trim(request.target) : written);
        return;
    }
    context.ui.message("The received data was not converted. It is kept in " + written + ".", MessageButtons::Ok,
                       MessageIcon::Information, MessageText(context, 6, "Warning"));
}

// A list item the settings file adds past the formats this program knows has no
// converter: said plainly, never finished as if something had been written.
void refuseUnknownFormat(ConversionContext& context)
{
    ReportConverterFailure(context, "This format cannot be converted from here. Please choose another format.");
}

} // namespace

bool CopyReceivedData(ConversionContext& context, const std::string& input, const std::string& target)
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
    OutputTarget out(target, OutputTarget::modeFor(mode));
    std::string line;
    while (reader.next(line))
        out.writeLine(line);
    if (reader.error() != 0 || !out.commit()) {
        out.discard();
        reportCopyFailure(context, reader.error() != 0 ? reader.error() : out.error(), target);
        return false;
    }
    reader.close();
    if (mode == 2)
        RemoveFile(input); // the received data now lives in the target
    context.state.TransferStatus = "OK";
    return true;
}

std::string SaveRawCopy(const std::string& input, const std::string& output, int* error)
{
    if (error)
        *error = 0;
    if (input.empty() || output.empty())
        return std::string();
    const bool hasExtension = output.size() >= 4 && output[output.size() - 4] == '.';
    const std::string base = hasExtension ? output.substr(0, output.size() - 4) : output;
    for (int n = 0; n < 20; ++n) {
        const std::string candidate = base + (n == 0 ? std::string() : std::to_string(n)) + ".zvk";
        if (IsRegularFile(candidate) || IsDirectory(candidate))
            continue;
        LineReader reader(input);
        AtomicFile copy(candidate);
        std::string line;
        while (reader.isOpen() && reader.next(line))
            copy.writeLine(line);
        int failure = reader.error();
        if (failure == 0 && !copy.commit())
            failure = copy.error();
        if (error)
            *error = failure;
        return candidate;
    }
    if (error)
        *error = RunError::FileAlreadyExists; // all twenty names are taken
    return std::string();
}

namespace {

void convertReceivedFile(ConversionContext& context, DispatchHost& host, const DispatchRequest& request)
{
    if (Trim(request.target).empty())
        return;
    const std::string target = Trim(request.target);
    if (request.OpReceive == 2) {
        CopyReceivedData(context, request.input, target);
        return;
    }
    if (request.OpReceive != 0 && request.OpReceive != 1)
        return;
    const bool raw = request.OpReceive == 0;
    const int count = raw ? static_cast<int>(std::size(kReceivedRaw)) : static_cast<int>(std::size(kReceivedCoor));
    if (request.formatIndex < 0 || request.formatIndex >= count) {
        refuseUnknownFormat(context);
        keepUnconvertedData(context, request);
        return;
    }
    const Road road = raw ? kReceivedRaw[request.formatIndex] : kReceivedCoor[request.formatIndex];
    switch (road.action) {
    case Action::Copy: {
        const int mode = context.state.OutputFileMode;
        CopyReceivedData(context, request.input, target);
        if (road.rawCopy && mode != 1 && mode != 2)
            rawCopyRule(context, request);
        return;
    }
    case Action::UserCoor:
        // Its separator comes from the field-order options.
        context.state.TransferStatus.clear();
        runConverter(context, converterName(road.action, raw), request.input, target);
        return;
    case Action::Kof:
    case Action::KofAfterDialog:
        // Raw data asks with the request word; for coordinates the dialog only stores
        // its settings. A cancelled dialog converts nothing, so no file is written with
        // settings the user turned down, and the received data is kept beside the target.
        if (road.action == Action::Kof)
            context.state.TransferStatus = "ConvertToKOF";
        if (!host.showKofDialog()) {
            context.state.TransferStatus = "Cancel";
            keepUnconvertedData(context, request);
            return;
        }
        break;
    case Action::Dxf:
    case Action::Calc:
    default:
        break;
    }
    context.state.TransferStatus.clear();
    runConverter(context, converterName(road.action, raw), request.input, target);
    if (road.rawCopy)
        rawCopyRule(context, request);
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
void ConvertReceivedFile(ConversionContext& context, DispatchHost& host, const DispatchRequest& request)
{
    RunGuarded(context, [&] { convertReceivedFile(context, host, request); });
}

void ConvertFiles(ConversionContext& context, DispatchHost& host, const DispatchRequest& request)
{
    RunGuarded(context, [&] { convertFiles(context, host, request); });
}

} // namespace tavrelo
