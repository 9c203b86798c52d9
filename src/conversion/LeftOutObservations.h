#pragma once
// What the coordinate calculator leaves out of its result, and the one warning after
// the run that says so.
#include "conversion/CutShortRecords.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace tavrelo {

class LeftOutObservations {
public:
    // An observation from a station that is neither known nor observed.
    void fromUnlocatedStation(const std::string& station);
    // An observation before the first station record.
    void beforeFirstStation() { ++m_beforeStation; }
    // An observation whose coordinates are too large for a number.
    void tooLarge() { ++m_tooLarge; }

    // The warning: each cause on a line of its own, the records cut short last; ""
    // when nothing was left out.
    std::string warningText(const CutShortCount& cutShort) const;

private:
    int64_t m_unlocated = 0;
    std::vector<std::string> m_stations; // the unlocated stations, in the order met
    std::unordered_set<std::string> m_stationsSeen;
    int64_t m_beforeStation = 0;
    int64_t m_tooLarge = 0;
};

} // namespace tavrelo
