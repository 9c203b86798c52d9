#pragma once
// The records of the coordinate calculator's observation pass as the reading threads
// leave them: the fields split, the numbers read, the angles in radians, the zenith's
// sines worked out. What depends on the records before one (the station and its
// orientation, the weather) is left to the thread that works them out in file order.
#include "conversion/RawPassOne.h"
#include "conversion/SlopeReduction.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrelo {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// An angle in radians brought into 0 <= angle < 2 pi.
double IntoFullCircle(double angle);

// Views point into the text read.
struct RawObservationRecord {
    enum class Kind : uint8_t { SideShot, Observation, Station, FaceOne, FaceTwo, Weather };
    Kind kind = Kind::SideShot;
    bool namesAStation = false; // an observed point whose name a station record may carry
    bool cutShort = false;      // a station record cut short: its observations are left out
    std::string_view name;      // the point; the station; the weather line, trimmed
    std::string_view code;      // the point's code; the station's backsight
    double height = 0.0;        // target height; the station's instrument height
    double slope = 0.0;
    double direction = 0.0;     // horizontal reading; the station's backsight azimuth
    double zenith = 0.0;        // the station's orientation from its own record
    ZenithTrig trig;
};

// The records of whole lines of a raw file (SS, CP, SO, ST, F1, F2 and CO), in their
// order, appended to records; any other line is passed over, and so is an
// observation cut short. A station cut short is handed on with only its cutShort set.
// endsCut: the lines end the file with the last one unended (LineReader::lastLineUnended),
// which makes that one a record cut short.
void ReadRawObservationRecords(std::string_view lines, bool endsCut, const RawHeader& header,
                               const ReductionSettings& settings, std::vector<RawObservationRecord>& records);

} // namespace tavrelo
