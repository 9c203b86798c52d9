#include "conversion/RawObservationRecords.h"

#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawCoordinateCalculator.h"
#include "conversion/RawRecordGate.h"
#include "platform/TextRules.h"

#include <cmath>

namespace tavrelo {

namespace {

void readObservation(const FieldViews& f, const RawRecordCode& row, const RawHeader& header,
                     const ReductionSettings& settings, RawObservationRecord& r)
{
    const AngleUnit& unit = header.angleUnit;
    const RawObservationFields& at = row.observation;
    r.kind = row.kind == RawKind::SideShot ? RawObservationRecord::Kind::SideShot
                                           : RawObservationRecord::Kind::Observation;
    r.height = FieldValue(f[at.targetHeight]);
    r.slope = FieldValue(f[at.slopeDistance]);
    r.direction = unit.toRadians(FieldValue(f[at.horizontalAngle]));
    r.zenith = unit.toRadians(FieldValue(f[at.verticalAngle]));
    r.trig = ZenithTrigFor(settings, r.zenith);
    r.name = TrimBlanks(f[at.name]);
    r.code = TrimBlanks(f[at.pointCode]);
    r.namesAStation = header.stationNameFilter.mayContain(r.name);
}

} // namespace

double IntoFullCircle(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    if (angle < 0)
        angle += kTwoPi;
    return angle >= kTwoPi ? 0.0 : angle;
}

int64_t ReadRawObservationRecords(std::string_view piece, bool lastLineUnended, const RawHeader& header,
                                  const ReductionSettings& settings, std::vector<RawObservationRecord>& records)
{
    using Kind = RawObservationRecord::Kind;
    const AngleUnit& unit = header.angleUnit;
    RawPieceLines lines(piece, lastLineUnended, kCalculatorRecords);
    RawPieceLine line;
    FieldViews f;
    while (lines.next(line)) {
        const RawRecordCode* row = line.record.row;
        if (!row)
            continue;
        RawObservationRecord r;
        r.recordKind = row->kind;
        if (line.record.cutShort) {
            r.kind = line.record.marked ? Kind::MarkedCutShort : Kind::CutShort;
            r.line = static_cast<int32_t>(line.number);
            r.lastLineUnended = line.lastLineUnended;
            records.push_back(r);
            continue;
        }
        switch (row->kind) {
        case RawKind::SideShot:
        case RawKind::PointShot:
            SplitComma(line.text, f);
            readObservation(f, *row, header, settings, r);
            break;
        case RawKind::Station:
            SplitComma(line.text, f);
            r.kind = Kind::Station;
            r.name = TrimBlanks(f[2]);
            r.code = TrimBlanks(f[4]);
            r.height = FieldValue(f[6]);
            r.direction = unit.toRadians(FieldValue(f[7]));
            // From the station record alone the backsight reading is field 8.
            r.zenith = IntoFullCircle(unit.toRadians(FieldValue(f[8])) - r.direction);
            break;
        case RawKind::FaceReading:
            SplitComma(line.text, f);
            r.kind = row->code[1] == '1' ? Kind::FaceOne : Kind::FaceTwo;
            r.direction = unit.toRadians(FieldValue(f[row->observation.horizontalAngle]));
            break;
        case RawKind::Comment:
            r.kind = Kind::Weather;
            r.name = TrimBlanks(line.text);
            break;
        default: // coordinate records: a pass of their own
            continue;
        }
        records.push_back(r);
    }
    return lines.lines();
}

} // namespace tavrelo
