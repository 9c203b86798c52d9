#pragma once
// One full drawing pass over the map tables, without painting: which points and
// stations lie in the drawing windows and at which pixel, whether labels are drawn,
// and a grid over the drawn points for the hit tests. The map window paints what a
// frame holds; every redraw builds a new frame, so every point in view is drawn and
// can be picked.
#include "map/core/MapView.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tavrelo {

class MapTables;

// Labels are left out while the view holds more labelled points and named stations
// than one for every kPixelsPerLabel pixels of the picture (a label's box of some
// 40 x 12 pixels with room around it): beyond that they cover one another into a
// solid block, and take long to draw. The symbols are always drawn.
constexpr int32_t kPixelsPerLabel = 1000;
// How many labelled points the view's picture holds readably (at least one).
int32_t MostLabelledPoints(const MapView& view);

struct FramePoint {
    int32_t index; // into ObsPoints or CooPoints
    Pixel pixel;
    int16_t layer; // the type of an observed point, 3 for a coordinate-list point
};

struct FrameStation {
    int32_t index; // into Stations
    Pixel pixel;
};

class MapFrame {
public:
    // The drawn points in table order; entry k is VisibleIndex(k + 1).
    std::vector<FramePoint> points;
    std::vector<FrameStation> stations;
    bool drawn = false;        // the view could be drawn at all
    bool labelsShown = true;   // false when the view holds too many labelled points
    int32_t labelledCount = 0; // labelled points and named stations in view

    // The positions k of points whose pixel lies within the box, cell by cell, each
    // cell's run in ascending k; false when the frame was not built for this view.
    bool matches(const MapView& view) const;
    template <class Visit>
    void forCells(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Visit&& visit) const;

private:
    friend void BuildMapFrame(MapTables& tables, MapFrame& frame);
    void buildGrid(const DrawingWindow& window);

    double m_left = 0, m_bottom = 0;
    float m_mppX = 0, m_mppY = 0;
    int32_t m_height = 0;
    int32_t m_gridLeft = 0, m_gridTop = 0, m_columns = 0, m_rows = 0;
    std::vector<uint32_t> m_cellStart; // columns * rows + 1 offsets into m_cellItems
    std::vector<uint32_t> m_cellItems; // positions k
};

// The full pass: the view window from the scale and centre (SetViewWindow), then the
// observed points of shown layers, the coordinate-list points while layer 3 is on,
// and the stations and known points while layer 0 and their own layer are on, each
// inside its drawing window. Fills VisibleIndex with the points drawn.
void BuildMapFrame(MapTables& tables, MapFrame& frame);

// The rays of station s: from its pixel to each observed point measured from it
// (stored station name equal to its trimmed name, case-sensitive) that lies within
// three picture sizes around the picture. Layers do not apply.
std::vector<std::pair<Pixel, Pixel>> StationRays(const MapTables& tables, int32_t station);

template <class Visit>
void MapFrame::forCells(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Visit&& visit) const
{
    if (m_columns == 0)
        return;
    const int32_t c0 = std::max<int32_t>(0, (x0 - m_gridLeft) >> 3);
    const int32_t c1 = std::min<int32_t>(m_columns - 1, (x1 - m_gridLeft) >> 3);
    const int32_t r0 = std::max<int32_t>(0, (y0 - m_gridTop) >> 3);
    const int32_t r1 = std::min<int32_t>(m_rows - 1, (y1 - m_gridTop) >> 3);
    for (int32_t r = r0; r <= r1; ++r)
        for (int32_t c = c0; c <= c1; ++c) {
            const size_t cell = static_cast<size_t>(r) * m_columns + c;
            visit(m_cellItems.data() + m_cellStart[cell], m_cellItems.data() + m_cellStart[cell + 1]);
        }
}

} // namespace tavrelo
