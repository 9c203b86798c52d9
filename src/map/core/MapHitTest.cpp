#include "map/core/MapHitTest.h"

#include "map/core/MapFrame.h"
#include "map/core/MapTables.h"

#include <cmath>

namespace tavrelo {

namespace {

// The mouse's ground point and the tolerance, as 32-bit differences compare.
struct Probe {
    double wx, wy; // easting, northing
    float t;
    bool near(double east, double north) const
    {
        return std::abs(ToSingle(wx - east)) < t && std::abs(ToSingle(wy - north)) < t;
    }
};

Probe probeAt(const MapView& view, double x, double y)
{
    const Ground g = GroundAt(view, x, y);
    return {g.east, g.north, ToSingle(5.0 * view.MetresPerPixelX)};
}

template <class Table>
bool nearPoint(const Table& table, const Probe& probe, int32_t index)
{
    return probe.near(table[index].Y, table[index].X);
}

// The first k (1..VisibleIndexCount) whose point is near, by the plain walk.
template <class Table>
int32_t firstVisible(const MapTables& tables, const Table& table, const Probe& probe)
{
    for (int32_t k = 1; k <= tables.VisibleIndexCount; ++k) {
        const int32_t i = tables.VisibleIndex[k];
        if (i > 0 && i < static_cast<int32_t>(table.size()) && nearPoint(table, probe, i))
            return i;
    }
    return 0;
}

// The same answer from the frame's grid: the least k among the cells that can hold
// a hit (a generous box around the mouse, since the tolerance is in metres).
template <class Table>
int32_t firstInGrid(const MapTables& tables, const Table& table, const MapFrame& frame, const Probe& probe,
                    double x, double y)
{
    const MapView& view = tables.view;
    const int32_t rx = static_cast<int32_t>(std::ceil(probe.t / view.MetresPerPixelX)) + 2;
    const int32_t ry = static_cast<int32_t>(std::ceil(probe.t / view.MetresPerPixelY)) + 2;
    const int32_t cx = RoundPixel(x), cy = RoundPixel(y);
    uint32_t best = UINT32_MAX;
    frame.forCells(cx - rx, cy - ry, cx + rx, cy + ry, [&](const uint32_t* k, const uint32_t* end) {
        for (; k != end && *k < best; ++k)
            if (nearPoint(table, probe, frame.points[*k].index)) {
                best = *k;
                return;
            }
    });
    return best == UINT32_MAX ? 0 : frame.points[best].index;
}

template <class Table>
int32_t findVisible(const MapTables& tables, const Table& table, const MapFrame* frame, double x, double y)
{
    if (table.size() < 2 || !tables.view.drawable())
        return 0;
    const Probe probe = probeAt(tables.view, x, y);
    const bool gridUsable = frame && frame->matches(tables.view) &&
                            static_cast<int32_t>(frame->points.size()) == tables.VisibleIndexCount;
    return gridUsable ? firstInGrid(tables, table, *frame, probe, x, y) : firstVisible(tables, table, probe);
}

} // namespace

int32_t FindObsPointAt(const MapTables& tables, const MapFrame* frame, double x, double y)
{
    return findVisible(tables, tables.ObsPoints, frame, x, y);
}

int32_t FindCooPointAt(const MapTables& tables, const MapFrame* frame, double x, double y)
{
    if (!tables.layers.layerOn(PointType::UP))
        return 0;
    return findVisible(tables, tables.CooPoints, frame, x, y);
}

int32_t FindStationAt(const MapTables& tables, double x, double y)
{
    if (!tables.view.drawable() || !tables.layers.layerOn(PointType::Station))
        return 0;
    const Probe probe = probeAt(tables.view, x, y);
    for (int32_t i = 1; i <= tables.StationCount(); ++i) {
        const MapStation& s = tables.Stations[i];
        if (tables.layers.layerOn(s.type) && probe.near(s.Y, s.X))
            return i;
    }
    return 0;
}

} // namespace tavrelo
