#pragma once
// The map tables: stations and known points, observed points
// and coordinate-list points, with their name and code lists, the data extents and
// the view. Every table is numbered from 1; entry 0 exists and is never used.
//
// Names and codes are held whole: the 12-character name and 16-character code of the
// original record layout are only what the map displays (displayName, displayCode),
// so two stations whose names differ after the twelfth character stay apart.
// Heights are doubles so that the millimetre written is the millimetre computed.
#include "map/core/MapLayers.h"
#include "map/core/MapView.h"
#include "map/core/NameList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo {

// Point types; they also index the map's layers.
namespace PointType {
constexpr int16_t Station = 0;   // stations, UC records, control points
constexpr int16_t SideShot = 1;  // SS
constexpr int16_t Control = 2;   // CP and SO
constexpr int16_t UP = 3;
constexpr int16_t MP = 4;
constexpr int16_t CC = 5;        // also a station placed on an observed point
constexpr int16_t RE = 6;
constexpr int16_t MC = 7;
} // namespace PointType

struct MapStation {
    std::string name; // trimmed, whole
    double X = 0.0;   // first plane coordinate (northing)
    double Y = 0.0;   // second plane coordinate (easting)
    double H = 0.0;
    std::string code; // filled for control points only
    int16_t type = PointType::Station;

    // The name cut or padded to 12 characters, the code to 16, as displayed.
    std::string displayName() const;
    std::string displayCode() const;
};

struct MapObsPoint {
    float SD = 0.0f; // slope distance as used for the computation
    float Ha = 0.0f; // azimuth, in the raw file's angle units
    float Va = 0.0f; // zenith angle, in the raw file's angle units
    float Ht = 0.0f; // target height
    double X = 0.0;
    double Y = 0.0;
    double H = 0.0;
    int16_t type = PointType::SideShot;
};

struct MapCooPoint {
    double X = 0.0;
    double Y = 0.0;
    double H = 0.0;
};

// Extents start values of the coordinate calculator: nine nines.
constexpr double kCalcExtentStart = 999999999.0;

class MapTables {
public:
    MapTables();

    int32_t StationCount() const { return static_cast<int32_t>(Stations.size() - 1); }
    int32_t ObsPointCount() const { return static_cast<int32_t>(ObsPoints.size() - 1); }
    int32_t CooPointCount() const { return static_cast<int32_t>(CooPoints.size() - 1); }

    // Empties every table for a calculator run, with room for about stations known
    // points and exactly observations observed points (the tables hold no entries),
    // and starts the extents at +-999 999 999.
    void clearForCalculation(size_t stations, size_t observations);
    // Room for the names of that run, in NameList::StoredSize bytes: bounds for the
    // point names, the codes, the station and the backsight names.
    void reserveNameCharacters(size_t pointNames, size_t pointCodes, size_t stationNames, size_t backsightNames);
    // Hands the room reserved for stations, observed points and their names to a
    // prefaulter.
    void prefaultReserved(BackgroundPrefault& prefault) const;
    // Empties CooPoints (keeping its entry 0) and VisibleIndexCount.
    void clearCooPoints();
    // Empties Stations, ObsPoints, StationNames and BacksightNames and the visible
    // index, as the coordinate-list loader does before filling CooPoints.
    void clearForCoordinateList();

    // The data of other (tables, name lists, extents, centre) in place of this one's;
    // the view and the layer switches stay.
    void takeDataFrom(MapTables&& other);

    // Appends a station and returns its index.
    int32_t addStation(MapStation station);
    // Appends an observed point with its four names and returns its index.
    int32_t addObsPoint(const MapObsPoint& point, std::string_view name, std::string_view code,
                        std::string_view station, std::string_view backsight);

    // X below MinX becomes MinX, X above MaxX becomes MaxX, and the same for Y.
    void widenExtents(double x, double y);
    // The view centre at the middle of the extents.
    void centreView();

    std::vector<MapStation> Stations;
    std::vector<MapObsPoint> ObsPoints;
    std::vector<MapCooPoint> CooPoints;
    NameList PointNames;
    NameList PointCodes;
    NameList StationNames;
    NameList BacksightNames;
    std::vector<int32_t> VisibleIndex; // entries 1..VisibleIndexCount; the map fills it
    int32_t VisibleIndexCount = 0;

    double MinX = kCalcExtentStart;
    double MinY = kCalcExtentStart;
    double MaxX = -kCalcExtentStart;
    double MaxY = -kCalcExtentStart;
    // The view centre in the tables' axes (X northing, Y easting); ViewCentre() of
    // MapView.h gives it in the picture's.
    double ViewCentreX = 0.0;
    double ViewCentreY = 0.0;

    MapView view;
    // The layer and label switches; they survive every load. The map window's load
    // sets the layers dialog's defaults.
    MapLayers layers;

    // Whether the tables hold any point the map can show.
    bool hasPoints() const { return StationCount() + ObsPointCount() + CooPointCount() > 0; }
};

// The first Stations entry (1..StationCount) whose name, trimmed, equals name in
// full (case-sensitive); 0 when there is none.
int32_t FindKnownPoint(const MapTables& tables, std::string_view name);
// The first observed point (1..ObsPointCount) whose PointNames entry equals name
// exactly, nothing trimmed; 0 when there is none.
int32_t FindStationName(const MapTables& tables, std::string_view name);

} // namespace tavrelo
