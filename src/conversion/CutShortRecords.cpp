#include "conversion/CutShortRecords.h"

#include "platform/TextRules.h"

namespace tavrelo {

const RawRecordCode* MarkedCutShort(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.substr(0, kCutShortMark.size()) != kCutShortMark)
        return nullptr;
    const RawRecordCode* record = FindRawRecordOfLine(line.substr(kCutShortMark.size()));
    return record && record->lastValue > 0 ? record : nullptr;
}

namespace {

// The first sentence of the warning.
std::string RecordsText(const CutShortCount& count)
{
    const std::string records = std::to_string(count.records) + " record(s) were left out because they ";
    if (count.unendedLine == 0)
        return records + "end before their last value (cut short, as when a transfer ends early), the first at line " +
               std::to_string(count.firstLine) + ".";
    const std::string unended = "the last one, at line " + std::to_string(count.unendedLine) +
                                ", has no line end (as when a transfer ends early).";
    if (count.records == 1)
        return records + "are cut short: " + unended;
    return records + "are cut short: " + std::to_string(count.records - 1) +
           " end before their last value, the first at line " + std::to_string(count.firstLine) + ", and " + unended;
}

} // namespace

std::string CutShortText(const CutShortCount& count)
{
    std::string text;
    if (count.records > 0)
        text = RecordsText(count);
    if (count.marked > 0)
        text += (text.empty() ? "" : " ") + std::to_string(count.marked) +
                " record(s) marked \"Cut short:\" were left out, the first at line " + std::to_string(count.firstMarkedLine) +
                ": each was the last line of the file, cut off, when more data was appended after it.";
    if (count.afterStation > 0)
        text += (text.empty() ? "" : " ") + std::to_string(count.afterStation) +
                " observation(s) after a station record cut short were left out with it.";
    return text;
}

} // namespace tavrelo
