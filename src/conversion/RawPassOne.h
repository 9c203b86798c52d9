#pragma once
// Pass 1 of the coordinate calculator: the header comments that set the
// coordinate order and the angle unit, and the counts that size the tables.
#include "conversion/AngleUnit.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tavrelo {

// A quick "certainly not" for name lookups: one bit per hash of the names added, so
// that most observed points skip the hash-table lookup of the station names.
class NameFilter {
public:
    NameFilter() : m_bits(kWords, 0) {}
    void add(std::string_view name) { const uint64_t h = hash(name); m_bits[(h >> 6) & (kWords - 1)] |= 1ULL << (h & 63); }
    bool mayContain(std::string_view name) const
    {
        const uint64_t h = hash(name);
        return (m_bits[(h >> 6) & (kWords - 1)] >> (h & 63)) & 1;
    }

private:
    static constexpr size_t kWords = 1 << 14; // 2^20 bits, 128 KiB
    static uint64_t hash(std::string_view name)
    {
        uint64_t h = 14695981039346656037ULL; // FNV-1a
        for (const char c : name)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        return h ^ (h >> 29);
    }
    std::vector<uint64_t> m_bits;
};

struct RawHeader {
    bool swapCoordinates = false; // "CO,Coord Order:" ENZ: fields 4 and 5 exchanged
    std::string angleUnitText;    // the last "CO,Angle Units:" text, upper case
    AngleUnit angleUnit;
    int64_t records = 0;           // lines not beginning with "CO", blank ones included
    int64_t stationRecords = 0;    // ST
    int64_t coordinateRecords = 0; // UC, UP, MP, CC, RE, MC
    int64_t lastCoordinateLine = 0; // the line number of the last of them, 0 without any
    int64_t observations = 0;      // SS, CP, SO
    // The bytes of those lines: bounds for the names the map tables will hold.
    int64_t stationBytes = 0;
    int64_t observationBytes = 0;
    // The names of the stations set up, as the calculator compares them (trimmed).
    std::unordered_set<std::string> stationNames;
    NameFilter stationNameFilter;
    int error = 0;
};

// Reads the header facts of a raw data file; false (header.error) when it cannot be read.
bool ReadRawHeader(const std::string& path, RawHeader& header);

// A "CO,Temp:" line: the temperature from the 4 characters at column 9; then, when
// the line holds "Press:", the pressure from the text after it.
void ReadTemperatureAndPressure(const std::string& line, double& temperature, double& pressure);

} // namespace tavrelo
