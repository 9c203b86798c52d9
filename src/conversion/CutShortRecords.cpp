#include "conversion/CutShortRecords.h"

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

bool IsCutShort(const RawRecordCode& record, std::string_view line, bool lastLineUnended)
{
    if (lastLineUnended && record.lastValue > 0)
        return true;
    // Field n is there when n - 1 commas are.
    int commas = record.lastValue - 1;
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

bool CutShortRecords::take(RawKind kind, bool cutShort, int64_t lineNumber, bool lastLineUnended)
{
    const bool station = kind == RawKind::Station;
    if (cutShort) {
        m_count.add(lineNumber, lastLineUnended);
        m_stationCut = m_stationCut || station;
        return false;
    }
    if (station)
        m_stationCut = false;
    else if (m_stationCut && kRawObservations.has(kind)) {
        ++m_count.afterStation;
        return false;
    }
    return true;
}

void CutShortRecords::passOver(RawKind kind)
{
    if (m_stationCut && kRawObservations.has(kind))
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
