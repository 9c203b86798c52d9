#include "map/core/MapTables.h"

#include "platform/MemoryAdvice.h"
#include "platform/TextRules.h"

#include <utility>

namespace tavrelo {

namespace {

std::string fixedWidth(const std::string& text, size_t width)
{
    std::string out = text.substr(0, width);
    out.append(width - out.size(), ' ');
    return out;
}

} // namespace

std::string MapStation::displayName() const { return fixedWidth(name, 12); }
std::string MapStation::displayCode() const { return fixedWidth(code, 16); }

MapTables::MapTables()
{
    clearForCalculation(0, 0);
}

void MapTables::clearForCalculation(size_t stations, size_t observations)
{
    Stations.clear();
    Stations.shrink_to_fit();
    Stations.reserve(stations + 1);
    AdviseLargePages(Stations.data(), Stations.capacity() * sizeof(MapStation));
    Stations.emplace_back();
    ObsPoints.clear();
    ObsPoints.shrink_to_fit();
    ObsPoints.reserve(observations + 1);
    AdviseLargePages(ObsPoints.data(), ObsPoints.capacity() * sizeof(MapObsPoint));
    ObsPoints.emplace_back();
    clearCooPoints();
    PointNames.clear();
    PointCodes.clear();
    StationNames.clear();
    BacksightNames.clear();
    PointNames.reserve(observations, 0);
    PointCodes.reserve(observations, 0);
    StationNames.reserve(observations, 0);
    BacksightNames.reserve(observations, 0);
    VisibleIndex.assign(1, 0); // the map's drawing pass sizes it
    VisibleIndexCount = 0;
    MinX = MinY = kCalcExtentStart;
    MaxX = MaxY = -kCalcExtentStart;
}

void MapTables::reserveNameCharacters(size_t pointNames, size_t pointCodes, size_t stationNames,
                                      size_t backsightNames)
{
    const size_t entries = ObsPoints.capacity();
    PointNames.reserve(entries, pointNames);
    PointCodes.reserve(entries, pointCodes);
    StationNames.reserve(entries, stationNames);
    BacksightNames.reserve(entries, backsightNames);
}

void MapTables::prefaultReserved(BackgroundPrefault& prefault) const
{
    prefault.add(Stations.data() + Stations.size(), (Stations.capacity() - Stations.size()) * sizeof(MapStation));
    prefault.add(ObsPoints.data() + ObsPoints.size(), (ObsPoints.capacity() - ObsPoints.size()) * sizeof(MapObsPoint));
    for (const NameList* list : {&PointNames, &PointCodes, &StationNames, &BacksightNames})
        list->prefaultReserved(prefault);
}

void MapTables::clearCooPoints()
{
    CooPoints.assign(1, MapCooPoint{});
    VisibleIndexCount = 0;
}

void MapTables::clearForCoordinateList()
{
    Stations.assign(1, MapStation{});
    ObsPoints.assign(1, MapObsPoint{});
    StationNames.clear();
    BacksightNames.clear();
    VisibleIndexCount = 0;
}

void MapTables::takeDataFrom(MapTables&& other)
{
    MapView keptView = std::move(view);
    const MapLayers keptLayers = layers;
    *this = std::move(other);
    view = std::move(keptView);
    layers = keptLayers;
}

int32_t MapTables::addStation(MapStation station)
{
    Stations.push_back(std::move(station));
    return StationCount();
}

int32_t MapTables::addObsPoint(const MapObsPoint& point, std::string_view name, std::string_view code,
                               std::string_view station, std::string_view backsight)
{
    ObsPoints.push_back(point);
    PointNames.push_back(name);
    PointCodes.push_back(code);
    StationNames.push_back(station);
    BacksightNames.push_back(backsight);
    return ObsPointCount();
}

void MapTables::widenExtents(double x, double y)
{
    if (x < MinX)
        MinX = x;
    if (x > MaxX)
        MaxX = x;
    if (y < MinY)
        MinY = y;
    if (y > MaxY)
        MaxY = y;
}

void MapTables::centreView()
{
    // Halves first: the sum of two far coordinates may pass the double's range.
    ViewCentreX = MinX / 2.0 + MaxX / 2.0;
    ViewCentreY = MinY / 2.0 + MaxY / 2.0;
}

int32_t FindKnownPoint(const MapTables& tables, std::string_view name)
{
    for (int32_t i = 1; i <= tables.StationCount(); ++i)
        if (TrimBlanks(tables.Stations[i].name) == name)
            return i;
    return 0;
}

int32_t FindStationName(const MapTables& tables, std::string_view name)
{
    for (int32_t i = 1; i <= tables.ObsPointCount(); ++i)
        if (tables.PointNames[i] == name)
            return i;
    return 0;
}

} // namespace tavrelo
