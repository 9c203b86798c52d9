#include "conversion/CoordinateListWriters.h"

#include "conversion/ConverterFiles.h"
#include "conversion/ConverterReport.h"
#include "conversion/CoordinateFieldOptions.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/CoordinateLine.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordGate.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

const CoordinateFieldOptions& fieldOptions(const ConversionContext& context)
{
    static const CoordinateFieldOptions defaults(FieldSection::Coordinate);
    return context.coordinateFields ? *context.coordinateFields : defaults;
}

bool startRun(ConversionContext& context, const std::string& input, const std::string& output)
{
    context.state.TransferStatus = "E";
    return !input.empty() && !output.empty();
}

// Ends the run: "OK" only when nothing was reported on the way.
void endRun(ConversionContext& context, LineReader& reader, OutputTarget& target, bool reported)
{
    const bool finished = FinishConverterFiles(context, reader, target);
    context.ui.setBusy(false);
    if (finished && !reported)
        context.state.TransferStatus = "OK";
}

void convertRawToCoor(ConversionContext& context, const std::string& input, const std::string& output,
                      const char* separator)
{
    if (!startRun(context, input, output))
        return;
    context.ui.setBusy(true);
    RawRecordGate gate(kRawCoordinateListRecords);
    std::unique_ptr<OutputTarget> target =
        OpenConverterFiles(context, gate.reader(), input, output, {}, CutLineMarkFor(CoordinateFile::List));
    if (!target)
        return;
    CoordinateLine line(fieldOptions(context).field, separator, CoordinateLine::Rules::Copy);
    bool swap = false;
    Fields fields;
    {
        LineBlock block(*target);
        RawLine raw;
        std::string text;
        while (gate.next(raw)) {
            if (raw.text.find("CO,Coord Order:") != std::string_view::npos) {
                const std::string_view trimmed = TrimBlanks(raw.text);
                if (TrimBlanks(trimmed.substr(std::min<size_t>(15, trimmed.size()))) == "ENZ")
                    swap = true;
                continue;
            }
            if (!raw.record)
                continue;
            text.assign(raw.text);
            SplitComma(text, fields);
            const int north = swap ? 5 : 4;
            const int east = swap ? 4 : 5;
            line.append(block.text(), {fields[2], fields[north], fields[east], fields[6], fields[7]});
            block.maybeFlush();
        }
    }
    context.cutShort = gate.cutShort();
    WarnLeftOut(context);
    endRun(context, gate.reader(), *target, false);
}

} // namespace

void ConvertCoorToUserCoor(ConversionContext& context, const std::string& input, const std::string& output)
{
    ConvertCoorToUserCoor(context, input, output, fieldOptions(context).separatorText());
}

namespace {

void convertCoorToUserCoor(ConversionContext& context, const std::string& input, const std::string& output,
                           const std::string& separator)
{
    // An empty name leaves even the result word as the caller had it.
    if (input.empty() || output.empty())
        return;
    startRun(context, input, output);
    CoordinateLineGate gate;
    std::unique_ptr<OutputTarget> target =
        OpenConverterFiles(context, gate.reader(), input, output, {}, CutLineMarkFor(CoordinateFile::List));
    if (!target)
        return;
    CoordinateLine line(fieldOptions(context).field, separator, CoordinateLine::Rules::Copy);
    const bool enz = context.coordinateOrder == 1;
    Fields fields;
    {
        LineBlock block(*target);
        std::string text;
        while (gate.next(text)) {
            if (SplitComma(text, fields) == 0)
                continue;
            line.append(block.text(), {fields[1], fields[enz ? 3 : 2], fields[enz ? 2 : 3], fields[4], fields[5]});
            block.maybeFlush();
        }
    }
    context.leftOutLines = 0;
    context.cutShort = gate.cutShort();
    WarnLeftOut(context);
    endRun(context, gate.reader(), *target, false);
}

} // namespace

void ConvertCoorToUserCoor(ConversionContext& context, const std::string& input, const std::string& output,
                           const std::string& separator)
{
    RunGuarded(context, [&] { convertCoorToUserCoor(context, input, output, separator); });
}

void ConvertRawToCoorComma(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunGuarded(context, [&] { convertRawToCoor(context, input, output, ","); });
}

void ConvertRawToCoorSpace(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunGuarded(context, [&] { convertRawToCoor(context, input, output, " "); });
}

} // namespace tavrelo
