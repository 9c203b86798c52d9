#include "conversion/RawRecordCodes.h"

#include "map/core/MapTables.h"

namespace tavrelo {

namespace {

// The last values: an observation's vertical angle; a station's backsight reading
// (field 8, after the instrument height and the backsight azimuth); a coordinate
// record's elevation (field 6, after the two plane coordinates).
constexpr RawObservationFields kNoObservation = {0, 0, 0, 0, 0, 0};
constexpr RawObservationFields kSideShot = {2, 3, 4, 5, 6, 8};
constexpr RawObservationFields kPointShot = {2, 4, 5, 6, 7, 9};
constexpr RawObservationFields kFaceReading = {2, 3, 4, 5, 6, 0};

const RawRecordCode kRawRecords[] = {
    {"SS", RawKind::SideShot, 6, kSideShot, PointType::SideShot},
    {"ST", RawKind::Station, 8, kNoObservation, -1},
    {"F1", RawKind::FaceReading, 6, kFaceReading, -1},
    {"F2", RawKind::FaceReading, 6, kFaceReading, -1},
    {"CP", RawKind::PointShot, 7, kPointShot, PointType::Control},
    {"SO", RawKind::PointShot, 7, kPointShot, PointType::Control},
    {"CO", RawKind::Comment, 0, kNoObservation, -1},
    {"UP", RawKind::Coordinates, 6, kNoObservation, PointType::UP},
    {"MP", RawKind::Coordinates, 6, kNoObservation, PointType::MP},
    {"CC", RawKind::Coordinates, 6, kNoObservation, PointType::CC},
    {"RE", RawKind::Coordinates, 6, kNoObservation, PointType::RE},
    {"UC", RawKind::MoreCoordinates, 6, kNoObservation, PointType::Station},
    {"MC", RawKind::MoreCoordinates, 6, kNoObservation, PointType::MC},
};

} // namespace

const RawRecordCode* FindRawRecord(std::string_view code)
{
    if (code.size() != 2)
        return nullptr;
    // Most lines of a file are side shots, the first row.
    for (const RawRecordCode& row : kRawRecords)
        if (row.code[0] == code[0] && row.code[1] == code[1])
            return &row;
    return nullptr;
}

// Every line of every raw file passes here: the code is read where it stands, without
// a search for the comma. Only two characters followed by blanks, a comma or the end
// can be one of the table's codes.
const RawRecordCode* FindRawRecordOfLine(std::string_view line)
{
    size_t at = 0;
    while (at < line.size() && line[at] == ' ')
        ++at;
    size_t after = at + 2;
    if (after > line.size())
        return nullptr;
    while (after < line.size() && line[after] == ' ')
        ++after;
    if (after < line.size() && line[after] != ',')
        return nullptr;
    return FindRawRecord(line.substr(at, 2));
}

} // namespace tavrelo
