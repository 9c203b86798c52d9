#include "map/core/MapReports.h"

#include "map/core/MapTables.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

constexpr int kTypes = 21;
const char* const kPointLabels[8] = {"", "SS: ", "CP: ", "UP: ", "MP: ", "CC: ", "RE: ", "MC: "};
const char* const kStationLabels[8] = {"", "ST: ", "CP: ", "UP: ", "MP: ", "CC: ", "RE: ", "MC: "};

std::string coordinate(double value) { return FormatMask(value, "0.000"); }

// "Points: n" or "Stations: n", then a line for each type from 1 that counted.
std::string block(const char* heading, const char* const labels[8], const int32_t (&count)[kTypes], int32_t total)
{
    std::string text = std::string(heading) + std::to_string(total) + "\r\n";
    for (int t = 1; t < kTypes; ++t)
        if (count[t] >= 1)
            text += std::string(t < 8 ? labels[t] : "Other: ") + std::to_string(count[t]) + "\r\n";
    return text;
}

int typeSlot(int type) { return type >= 0 && type < kTypes ? type : kTypes - 1; }

} // namespace

PointInfo CooPointInfo(const MapTables& tables, int32_t i)
{
    PointInfo info;
    const MapCooPoint& p = tables.CooPoints[i];
    info.tag = "C" + std::to_string(i);
    info.name = std::string(tables.PointNames[i]);
    info.east = coordinate(p.Y);
    info.north = coordinate(p.X);
    info.height = coordinate(p.H);
    info.code = std::string(tables.PointCodes[i]);
    return info;
}

PointInfo ObsPointInfo(const MapTables& tables, int32_t i)
{
    PointInfo info;
    const MapObsPoint& p = tables.ObsPoints[i];
    info.tag = std::to_string(i);
    info.name = std::string(tables.PointNames[i]);
    info.east = coordinate(p.Y);
    info.north = coordinate(p.X);
    info.height = coordinate(p.H);
    info.code = std::string(tables.PointCodes[i]);
    info.observed = true;
    info.stationLines = "Station: " + std::string(tables.StationNames[i]) + "\r\nBackStation: " +
                        std::string(tables.BacksightNames[i]);
    info.polarLines = "SD = " + FormatMask(p.SD, "0.000") + "\r\nHa = " + FormatMask(p.Ha, "0.0000") +
                      "\r\nVa = " + FormatMask(p.Va, "0.0000") + "\r\nHt = " + FormatMask(p.Ht, "0.000") + "\r\n";
    return info;
}

std::string MapStatisticsText(const MapTables& tables)
{
    const MapLayers& layers = tables.layers;
    int32_t count[kTypes] = {};
    int32_t total = 0;
    for (int32_t i = 1; i <= tables.ObsPointCount(); ++i) {
        const int type = tables.ObsPoints[i].type;
        if ((type == 1 || type == 2) && layers.layerOn(type)) {
            ++count[type];
            ++total;
        }
    }
    if (layers.layerOn(PointType::UP)) {
        count[PointType::UP] += tables.CooPointCount();
        total += tables.CooPointCount();
    }
    const std::string points = block("Points: ", kPointLabels, count, total);

    std::string stations;
    if (layers.layerOn(PointType::Station)) {
        int32_t byType[kTypes] = {};
        int32_t all = 0;
        for (int32_t i = 1; i <= tables.StationCount(); ++i) {
            const int type = tables.Stations[i].type;
            if (layers.layerOn(type)) {
                ++byType[typeSlot(type)];
                ++all;
            }
        }
        stations = block("Stations: ", kStationLabels, byType, all);
    }
    return stations + points + std::string(26, ' ');
}

std::string DecimalPointText(const std::string& text)
{
    std::string t = Trim(text);
    const size_t comma = t.find(',');
    if (comma != std::string::npos)
        t[comma] = '.';
    return t;
}

} // namespace tavrelo
