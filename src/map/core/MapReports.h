#pragma once
// The texts of the point information window and of the statistics box.
#include <cstdint>
#include <string>

namespace tavrelo {

class MapTables;

// What the point information window shows of one point. Easting and northing are
// labelled "E=" and "N=" there; lines are separated by CR LF.
struct PointInfo {
    std::string tag;     // the table index, "C" before it for a coordinate-list point
    std::string name;
    std::string east;    // three decimals
    std::string north;
    std::string height;
    std::string code;
    bool observed = false;
    std::string stationLines; // "Station: …" and "BackStation: …"
    std::string polarLines;   // SD, Ha, Va and Ht
};

PointInfo CooPointInfo(const MapTables& tables, int32_t index);
PointInfo ObsPointInfo(const MapTables& tables, int32_t index);

// The statistics box's text: the stations block (while layer 0 is shown) and the
// points block, counted by type over the shown layers, then 26 blanks.
std::string MapStatisticsText(const MapTables& tables);
constexpr const char* kStatisticsTitle = "Sum ";

// A coordinate box left by the focus: trimmed, its first "," made a ".".
std::string DecimalPointText(const std::string& text);

} // namespace tavrelo
