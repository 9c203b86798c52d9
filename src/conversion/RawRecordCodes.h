#pragma once
// The record codes of a raw data file, one row each: the kind of record, the field of
// its last value (a record that ends before it is cut short, CutShortRecords.h), where
// an observation keeps its values, and the kind of point it gives the map tables.
// Every raw-data reader finds its codes here and names the kinds it reads.
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace tavrelo {

enum class RawKind : uint8_t {
    Comment,        // CO: free text; some comment lines carry settings
    Station,        // ST
    SideShot,       // SS
    PointShot,      // CP (to a control point) and SO (of the set-out kind): SS with one field more
    FaceReading,    // F1, F2: the backsight readings that orient a station
    Coordinates,    // UP, MP, CC, RE
    MoreCoordinates // UC, MC: coordinate records only the calculator and the MAPA 2 writer read
};

// A set of kinds: those a reader takes values from.
class RawKinds {
public:
    constexpr RawKinds() = default;
    constexpr RawKinds(std::initializer_list<RawKind> kinds)
    {
        for (const RawKind kind : kinds)
            m_bits = static_cast<uint16_t>(m_bits | bit(kind));
    }
    constexpr bool has(RawKind kind) const { return (m_bits & bit(kind)) != 0; }
    constexpr bool any() const { return m_bits != 0; }

private:
    static constexpr uint16_t bit(RawKind kind) { return static_cast<uint16_t>(1u << static_cast<unsigned>(kind)); }
    uint16_t m_bits = 0;
};

// The observations: a station record cut short takes them with it.
constexpr RawKinds kRawObservations = {RawKind::SideShot, RawKind::PointShot, RawKind::FaceReading};

// Where an observation record (SS, CP, SO, F1, F2) keeps its values: SS, F1 and F2 have
// the point name followed by target height, slope distance and the two angles; CP and
// SO have one field more after the name.
struct RawObservationFields {
    int name;
    int targetHeight;
    int slopeDistance;
    int horizontalAngle;
    int verticalAngle;
    int pointCode; // 0: the record carries no code
};

struct RawRecordCode {
    char code[3];
    RawKind kind;
    int lastValue;                   // the field of the record's last value; 0 for comments
    RawObservationFields observation; // observations only; all 0 otherwise
    int16_t pointType;               // the map tables' PointType of its point; -1 none
};

// The row of a record code ("SS", not " SS"); nullptr for any other text.
const RawRecordCode* FindRawRecord(std::string_view code);

// The row of a line's record code: its first field as SplitComma gives it (the text
// before the first comma, trimmed); nullptr for any other text.
const RawRecordCode* FindRawRecordOfLine(std::string_view line);

// The field numbers of an observation record; nullptr for any other record code.
inline const RawObservationFields* FindRawObservation(std::string_view code)
{
    const RawRecordCode* row = FindRawRecord(code);
    return row && kRawObservations.has(row->kind) ? &row->observation : nullptr;
}

} // namespace tavrelo
