#pragma once
// The raw-data reading shared by the Eghas and NEDCAD listings: line by line, fields by
// position, the station values kept for the observations that follow, and the
// horizontal angle reduced by the station's reference direction.
#include "conversion/CutShortRecords.h"
#include "conversion/RawRecordCodes.h"
#include "platform/ByteSink.h"

#include <string>
#include <string_view>

namespace tavrelo {

// A value field: empty when the raw field was empty (both listings print nothing for
// it, and it counts as 0 in the angle reduction), else its leading number.
struct ListingValue {
    double number = 0;
    bool empty = true;
};

// ST: in force until the next ST; all empty before the first one.
struct ListingStation {
    std::string name;
    std::string backsight;
    ListingValue instrumentHeight;
    ListingValue backsightAngle;
    ListingValue referenceDirection;
};

// F1, F2, SS, SO and CP; the name is a view into the record's line.
struct ListingObservation {
    std::string_view name;
    ListingValue targetHeight;
    ListingValue slopeDistance;
    ListingValue horizontalAngle;
    ListingValue verticalAngle;
    // Gons: the horizontal angle less the reference direction, plus 400 when below 0.
    double reducedAngle = 0;
};

// What a listing writes for each record.
class ListingLines {
public:
    virtual ~ListingLines() = default;
    virtual void station(const ListingStation& station) = 0;
    virtual void observation(const ListingStation& station, const ListingObservation& observation) = 0;
};

// The records both listings read: stations and every observation.
constexpr RawKinds kListingRecords = {RawKind::Station, RawKind::SideShot, RawKind::PointShot, RawKind::FaceReading};

// Reads the raw file input record by record and hands each station and observation to
// lines; every other record is passed over whole, and so is a record cut short
// (counted in cutShort). Returns 0 or the failure number of the first failed read, or
// of the sink when it failed.
int ReadListingRecords(const std::string& input, ByteSink& out, ListingLines& lines, CutShortCount& cutShort);

} // namespace tavrelo
