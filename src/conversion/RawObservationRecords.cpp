#include "conversion/RawObservationRecords.h"

#include "conversion/CutShortRecords.h"
#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "platform/LineReader.h"
#include "platform/TextRules.h"

#include <cmath>

namespace tavrelo {

namespace {

void readObservation(const FieldViews& f, bool sideShot, const RawHeader& header, const ReductionSettings& settings,
                     RawObservationRecord& r)
{
    const AngleUnit& unit = header.angleUnit;
    const int shift = sideShot ? 0 : 1;
    r.kind = sideShot ? RawObservationRecord::Kind::SideShot : RawObservationRecord::Kind::Observation;
    r.height = FieldValue(f[3 + shift]);
    r.slope = FieldValue(f[4 + shift]);
    r.direction = unit.toRadians(FieldValue(f[5 + shift]));
    r.zenith = unit.toRadians(FieldValue(f[6 + shift]));
    r.trig = ZenithTrigFor(settings, r.zenith);
    r.name = TrimBlanks(f[2]);
    r.code = TrimBlanks(f[sideShot ? 8 : 9]);
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
        if (code.size() != 2)
            continue;
        RawObservationRecord r;
        if (IsCutShort(code, text, endsCut && lines.empty())) {
            if (code != "ST")
                continue;
            r.kind = Kind::Station;
            r.cutShort = true;
        } else if (code == "SS") {
            readObservation(f, true, header, settings, r);
        } else if (code == "CP" || code == "SO") {
            readObservation(f, false, header, settings, r);
        } else if (code == "ST") {
            r.kind = Kind::Station;
            r.name = TrimBlanks(f[2]);
            r.code = TrimBlanks(f[4]);
            r.height = FieldValue(f[6]);
            r.direction = unit.toRadians(FieldValue(f[7]));
            // From the station record alone the backsight reading is field 8.
            r.zenith = IntoFullCircle(unit.toRadians(FieldValue(f[8])) - r.direction);
        } else if (code == "F1" || code == "F2") {
            r.kind = code[1] == '1' ? Kind::FaceOne : Kind::FaceTwo;
            r.direction = unit.toRadians(FieldValue(f[5]));
        } else if (code == "CO") {
            r.kind = Kind::Weather;
            r.name = TrimBlanks(text);
        } else {
            continue;
        }
        records.push_back(r);
    }
}

} // namespace tavrelo
