#include "conversion/CutShortRecords.h"

#include "conversion/RawRecordCodes.h"

#include <cstring>

namespace tavrelo {

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

int LastValueField(std::string_view code)
{
    const RawRecordCode* row = FindRawRecord(code);
    return row ? row->lastValue : 0;
}

bool IsCutShort(std::string_view code, std::string_view line, bool withoutLineEnd)
{
    const int lastValue = LastValueField(code);
    if (withoutLineEnd && lastValue > 0)
        return true;
    // Field n is there when n - 1 commas are.
    int commas = lastValue - 1;
    const char* at = line.data();
    const char* const end = at + line.size();
    while (commas > 0) {
        const void* comma = std::memchr(at, ',', static_cast<size_t>(end - at));
        if (!comma)
            return true;
        at = static_cast<const char*>(comma) + 1;
        --commas;
    }
    return false;
}

void CutShortCount::append(const CutShortCount& later, int64_t linesBefore)
{
    if (later.records > 0 && records == 0)
        firstLine = linesBefore + later.firstLine;
    records += later.records;
    if (later.unendedLine > 0)
        unendedLine = linesBefore + later.unendedLine;
    afterStation += later.afterStation;
}

bool CutShortRecords::take(std::string_view code, std::string_view line, int64_t lineNumber, bool withoutLineEnd)
{
    const bool station = code == "ST";
    if (IsCutShort(code, line, withoutLineEnd)) {
        m_count.add(lineNumber, withoutLineEnd);
        m_stationCut = m_stationCut || station;
        return false;
    }
    if (station)
        m_stationCut = false;
    else if (m_stationCut && FindRawObservation(code)) {
        ++m_count.afterStation;
        return false;
    }
    return true;
}

void CutShortRecords::passOver(std::string_view code)
{
    if (m_stationCut && FindRawObservation(code))
        ++m_count.afterStation;
}

std::string CutShortText(const CutShortCount& count)
{
    std::string text;
    if (count.records > 0)
        text = RecordsText(count);
    if (count.afterStation > 0)
        text += (text.empty() ? "" : " ") + std::to_string(count.afterStation) +
                " observation(s) after a station record cut short were left out with it.";
    return text;
}

} // namespace tavrelo
