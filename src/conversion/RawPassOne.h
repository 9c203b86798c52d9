#pragma once
// Pass 1 of the coordinate calculator (Part 2.104): the header comments that set the
// coordinate order and the angle unit, and the counts that size the tables.
#include "conversion/AngleUnit.h"

#include <cstdint>
#include <string>
#include <unordered_set>

namespace tavrelo {

struct RawHeader {
    bool swapCoordinates = false; // "CO,Coord Order:" ENZ: fields 4 and 5 exchanged
    std::string angleUnitText;    // the last "CO,Angle Units:" text, upper case
    AngleUnit angleUnit;
    int64_t records = 0;           // lines not beginning with "CO", blank ones included
    int64_t stationRecords = 0;    // ST
    int64_t coordinateRecords = 0; // UC, UP, MP, CC, RE, MC
    int64_t observations = 0;      // SS, CP, SO
    // The names of the stations set up, as the calculator compares them (trimmed).
    std::unordered_set<std::string> stationNames;
    int error = 0;
};

// Reads the header facts of a raw data file; false (header.error) when it cannot be read.
bool ReadRawHeader(const std::string& path, RawHeader& header);

// A "CO,Temp:" line: the temperature from the 4 characters at column 9; then, when
// the line holds "Press:", the pressure from the text after it.
void ReadTemperatureAndPressure(const std::string& line, double& temperature, double& pressure);

} // namespace tavrelo
