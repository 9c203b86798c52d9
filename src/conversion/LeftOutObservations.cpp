#include "conversion/LeftOutObservations.h"

#include <algorithm>

namespace tavrelo {

namespace {

// The stations named in the warning; the rest are counted.
constexpr size_t kStationsShown = 10;

void addLine(std::string& text, const std::string& line)
{
    text += (text.empty() ? "" : "\r\n") + line;
}

} // namespace

void LeftOutObservations::fromUnlocatedStation(const std::string& station)
{
    ++m_unlocated;
    if (m_stationsSeen.insert(station).second)
        m_stations.push_back(station);
}

std::string LeftOutObservations::warningText(const CutShortCount& cutShort) const
{
    std::string text;
    if (m_unlocated > 0) {
        text = std::to_string(m_unlocated) + " observation(s) were left out because their station is neither known"
               " nor observed: ";
        const size_t shown = std::min(m_stations.size(), kStationsShown);
        for (size_t i = 0; i < shown; ++i)
            text += (i ? ", " : "") + m_stations[i];
        if (m_stations.size() > shown)
            text += " and " + std::to_string(m_stations.size() - shown) + " more stations";
        text += ".";
    }
    if (m_beforeStation > 0)
        addLine(text, std::to_string(m_beforeStation) +
                          " observation(s) before the first station record were left out.");
    if (m_tooLarge > 0)
        addLine(text, std::to_string(m_tooLarge) +
                          " observation(s) were left out because their coordinates are too large to compute.");
    if (cutShort.any())
        addLine(text, CutShortText(cutShort));
    return text;
}

} // namespace tavrelo
