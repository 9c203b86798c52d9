#include "conversion/ListingRecords.h"

#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordGate.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

constexpr double kFullCircleGon = 400.0;

ListingValue valueOf(std::string_view field)
{
    if (field.empty())
        return {};
    return {FieldValue(field), false};
}

// Side shots read every value as a number, an empty field as 0.
ListingValue numberOf(std::string_view field) { return {FieldValue(field), false}; }

ListingStation stationOf(const FieldViews& f)
{
    return {std::string(f[2]), std::string(f[4]), valueOf(f[6]), valueOf(f[7]), valueOf(f[8])};
}

ListingObservation observationOf(const FieldViews& f, const RawRecordCode& record, const ListingStation& station)
{
    const RawObservationFields& at = record.observation;
    const auto read = record.kind == RawKind::SideShot ? numberOf : valueOf;
    ListingObservation o{f[at.name], read(f[at.targetHeight]), read(f[at.slopeDistance]),
                         read(f[at.horizontalAngle]), read(f[at.verticalAngle])};
    o.reducedAngle = o.horizontalAngle.number - station.referenceDirection.number;
    if (o.reducedAngle < 0)
        o.reducedAngle += kFullCircleGon;
    return o;
}

} // namespace

int ReadListingRecords(const std::string& input, ByteSink& out, ListingLines& lines, CutShortCount& cutShort)
{
    RawRecordGate gate(kListingRecords);
    if (!gate.open(input))
        return gate.reader().error();
    ListingStation station;
    RawLine line;
    FieldViews f;
    while (!out.failed() && gate.next(line)) {
        if (!line.record)
            continue;
        SplitComma(line.text, f);
        if (line.record->kind == RawKind::Station) {
            station = stationOf(f);
            lines.station(station);
        } else {
            lines.observation(station, observationOf(f, *line.record, station));
        }
    }
    cutShort = gate.cutShort();
    const int error = gate.reader().error();
    return error ? error : out.error();
}

} // namespace tavrelo
