#include "conversion/RawObservationRecords.h"

#include "conversion/CutShortRecords.h"
#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordCodes.h"
#include "platform/LineReader.h"
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

void ReadRawObservationRecords(std::string_view lines, bool endsCut, const RawHeader& header,
                               const ReductionSettings& settings, std::vector<RawObservationRecord>& records)
{
    endsCut = endsCut && EndsWithoutLineEnd(lines);
    using Kind = RawObservationRecord::Kind;
    const AngleUnit& unit = header.angleUnit;
    std::string_view text;
    FieldViews f;
    while (NextLineOfBlock(lines, text)) {
        if (SplitComma(text, f) < 1)
            continue;
        const std::string_view code = f[1];
        const RawRecordCode* row = FindRawRecord(code);
        if (!row)
            continue;
        RawObservationRecord r;
        if (IsCutShort(code, text, endsCut && lines.empty())) {
            if (row->kind != RawKind::Station)
                continue;
            r.kind = Kind::Station;
            r.cutShort = true;
        } else if (row->kind == RawKind::SideShot || row->kind == RawKind::PointShot) {
            readObservation(f, *row, header, settings, r);
        } else if (row->kind == RawKind::Station) {
            r.kind = Kind::Station;
            r.name = TrimBlanks(f[2]);
            r.code = TrimBlanks(f[4]);
            r.height = FieldValue(f[6]);
            r.direction = unit.toRadians(FieldValue(f[7]));
            // From the station record alone the backsight reading is field 8.
            r.zenith = IntoFullCircle(unit.toRadians(FieldValue(f[8])) - r.direction);
        } else if (row->kind == RawKind::FaceReading) {
            r.kind = code[1] == '1' ? Kind::FaceOne : Kind::FaceTwo;
            r.direction = unit.toRadians(FieldValue(f[row->observation.horizontalAngle]));
        } else if (row->kind == RawKind::Comment) {
            r.kind = Kind::Weather;
            r.name = TrimBlanks(text);
        } else {
            continue;
        }
        records.push_back(r);
    }
}

} // namespace tavrelo
