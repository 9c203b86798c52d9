#pragma once
// The records of the coordinate calculator's observation pass as the reading threads
// leave them: the fields split, the numbers read, the angles in radians, the zenith's
// sines worked out. What depends on the records before one (the station and its
// orientation, the weather) is left to the thread that works them out in file order.
#include "conversion/RawPassOne.h"
#include "conversion/RawRecordCodes.h"
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
    // CutShort: a record of any kind cut short (MarkedCutShort: marked so), handed on
    // for the rule of the records after it and for the count.
    enum class Kind : uint8_t { SideShot, Observation, Station, FaceOne, FaceTwo, Weather, CutShort, MarkedCutShort };
    Kind kind = Kind::SideShot;
    RawKind recordKind = RawKind::SideShot; // the kind of its record code
    bool namesAStation = false;   // an observed point whose name a station record may carry
    bool lastLineUnended = false; // a record cut short as the file's last line, unended
    int32_t line = 0;             // a record cut short: its line within its piece, from 1 (a
                                  // piece is a part of one block of a few megabytes)
    std::string_view name;      // the point; the station; the weather line, trimmed
    std::string_view code;      // the point's code; the station's backsight
    double height = 0.0;        // target height; the station's instrument height
    double slope = 0.0;
    double direction = 0.0;     // horizontal reading; the station's backsight azimuth
    double zenith = 0.0;        // the station's orientation from its own record
    ZenithTrig trig;
};

// The records of one piece of a block of whole lines (RawPieceLines), in their order,
// appended to records: SS, CP, SO, ST, F1, F2 and CO, and every record cut short
// (Kind::CutShort), to be handed in file order to the CutShortRecords that decides
// which are read; blank lines, other text and whole coordinate records are passed
// over. lastLineUnended: the block ends with the file's last line, unended. Returns the
// count of lines of the piece.
int64_t ReadRawObservationRecords(std::string_view piece, bool lastLineUnended, const RawHeader& header,
                                  const ReductionSettings& settings, std::vector<RawObservationRecord>& records);

} // namespace tavrelo
