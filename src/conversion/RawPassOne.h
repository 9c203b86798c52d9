#pragma once
// Pass 1 of the coordinate calculator: the header comments that set the
// coordinate order and the angle unit, and the counts that size the tables.
#include "conversion/AngleUnit.h"
#include "conversion/NameIndex.h"
#include "platform/WorkerPool.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo {

// The station names of a file, as a "certainly not" for the observed points: two bits
// per name added, so that an observed point whose name no station carries is passed
// over without a lookup; about one such name in five hundred gets through anyway.
class NameFilter {
public:
    NameFilter() : m_bits(kWords, 0) {}
    void add(std::string_view name)
    {
        const uint64_t h = NameHash(name);
        set(h);
        set(h >> 32);
    }
    bool mayContain(std::string_view name) const
    {
        const uint64_t h = NameHash(name);
        return test(h) && test(h >> 32);
    }

private:
    static constexpr size_t kWords = 1 << 15; // 2^21 bits, 256 KiB
    void set(uint64_t h) { m_bits[(h >> 6) & (kWords - 1)] |= 1ULL << (h & 63); }
    bool test(uint64_t h) const { return (m_bits[(h >> 6) & (kWords - 1)] >> (h & 63)) & 1; }
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
    // Bounds for the names the map tables will hold, in the bytes a name list
    // stores them in: the observed points' names and codes, the stations' names and
    // their backsights' names, each as the calculator reads it.
    int64_t pointNameBytes = 0;
    int64_t pointCodeBytes = 0;
    int64_t stationNameBytes = 0;
    int64_t backsightNameBytes = 0;
    // The names of the stations set up, as the calculator compares them (trimmed).
    NameFilter stationNameFilter;
    int error = 0;
};

// Reads the header facts of a raw data file; false (header.error) when it cannot be read.
// The file is read in blocks of about blockBytes whose pieces the pool's threads count.
bool ReadRawHeader(const std::string& path, RawHeader& header, WorkerPool& pool,
                   size_t blockBytes = size_t(1) << 20);

// A "CO,Temp:" line: the temperature from the 4 characters at column 9; then, when
// the line holds "Press:", the pressure from the text after it.
void ReadTemperatureAndPressure(const std::string& line, double& temperature, double& pressure);

} // namespace tavrelo
