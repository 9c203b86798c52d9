#include "conversion/CutShortRecords.h"

#include "conversion/RawObservation.h"

#include <cstring>

namespace tavrelo {

namespace {

constexpr int kStationLastValue = 8;
constexpr int kCoordinateLastValue = 6;

bool isCoordinateCode(std::string_view code)
{
    for (const char* c : {"UC", "UP", "MP", "CC", "RE", "MC"})
        if (code == c)
            return true;
    return false;
}

} // namespace

int LastValueField(std::string_view code)
{
    if (const RawObservationFields* at = FindRawObservation(code))
        return at->verticalAngle;
    if (code == "ST")
        return kStationLastValue;
    return isCoordinateCode(code) ? kCoordinateLastValue : 0;
}

bool IsCutShort(std::string_view code, std::string_view line)
{
    // Field n is there when n - 1 commas are.
    int commas = LastValueField(code) - 1;
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

bool CutShortRecords::take(std::string_view code, std::string_view line, int64_t lineNumber)
{
    const bool station = code == "ST";
    if (IsCutShort(code, line)) {
        m_count.add(lineNumber);
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

std::string CutShortText(const CutShortCount& count)
{
    std::string text;
    if (count.records > 0)
        text = std::to_string(count.records) +
               " record(s) were left out because they end before their last value (cut short, as when a transfer"
               " ends early), the first at line " +
               std::to_string(count.firstLine) + ".";
    if (count.afterStation > 0)
        text += (text.empty() ? "" : " ") + std::to_string(count.afterStation) +
                " observation(s) after a station record cut short were left out with it.";
    return text;
}

} // namespace tavrelo
