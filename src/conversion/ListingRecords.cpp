#include "conversion/ListingRecords.h"

#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordCodes.h"
#include "platform/LineReader.h"
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

ListingObservation observationOf(const FieldViews& f, const RawObservationFields& at, const ListingStation& station)
{
    const auto read = f[1] == "SS" ? numberOf : valueOf;
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
    LineReader reader;
    if (!reader.open(input))
        return reader.error();
    ListingStation station;
    std::string_view line;
    FieldViews f;
    CutShortRecords records;
    while (!out.failed() && reader.next(line)) {
        if (SplitComma(line, f) == 0)
            continue;
        const RawRecordCode* row = FindRawRecord(f[1]);
        const bool isStation = row && row->kind == RawKind::Station;
        const RawObservationFields* at = isStation ? nullptr : FindRawObservation(f[1]);
        if ((!isStation && !at) || !records.take(f[1], line, reader.linesRead(), reader.lastLineUnended()))
            continue;
        if (isStation) {
            station = stationOf(f);
            lines.station(station);
        } else {
            lines.observation(station, observationOf(f, *at, station));
        }
    }
    cutShort = records.count();
    return reader.error() ? reader.error() : out.error();
}

} // namespace tavrelo
