#include "map/core/MapFrame.h"

#include "map/core/MapTables.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

constexpr int kPointDivisor = 8;   // observed points and stations
constexpr int kListDivisor = 12;   // coordinate-list points
constexpr int kCellShift = 3;      // grid cells of 8 x 8 pixels

// Records a drawn point in the frame and in VisibleIndex.
void record(MapTables& tables, MapFrame& frame, int32_t index, Pixel pixel, int16_t layer)
{
    frame.points.push_back({index, pixel, layer});
    tables.VisibleIndex[frame.points.size()] = index;
}

void observedPass(MapTables& tables, MapFrame& frame)
{
    const MapView& view = tables.view;
    const DrawingWindow window = DrawingWindowFor(view, kPointDivisor);
    const MapLayers& layers = tables.layers;
    const bool shown[3] = {false, layers.layerOn(1), layers.layerOn(2)};
    const int32_t n = tables.ObsPointCount();
    for (int32_t i = 1; i <= n; ++i) {
        const MapObsPoint& p = tables.ObsPoints[i];
        if (p.type < 1 || p.type > 2 || !shown[p.type])
            continue;
        const Pixel pixel = PixelOf(view, p.Y, p.X);
        if (window.contains(pixel))
            record(tables, frame, i, pixel, p.type);
    }
}

void listPass(MapTables& tables, MapFrame& frame)
{
    if (!tables.layers.layerOn(PointType::UP))
        return;
    const MapView& view = tables.view;
    const DrawingWindow window = DrawingWindowFor(view, kListDivisor);
    const int32_t n = tables.CooPointCount();
    for (int32_t i = 1; i <= n; ++i) {
        const MapCooPoint& p = tables.CooPoints[i];
        const Pixel pixel = PixelOf(view, p.Y, p.X);
        if (window.contains(pixel))
            record(tables, frame, i, pixel, PointType::UP);
    }
}

void stationPass(const MapTables& tables, MapFrame& frame)
{
    const MapLayers& layers = tables.layers;
    if (!layers.layerOn(PointType::Station))
        return;
    const DrawingWindow window = DrawingWindowFor(tables.view, kPointDivisor);
    for (int32_t i = 1; i <= tables.StationCount(); ++i) {
        const MapStation& s = tables.Stations[i];
        if (!layers.layerOn(s.type))
            continue;
        const Pixel pixel = PixelOf(tables.view, s.Y, s.X);
        if (window.contains(pixel))
            frame.stations.push_back({i, pixel});
    }
}

int32_t countLabelled(const MapTables& tables, const MapFrame& frame)
{
    bool text[11];
    for (int t = 0; t < 11; ++t)
        text[t] = tables.layers.anyText(t);
    int32_t n = static_cast<int32_t>(frame.stations.size());
    for (const FramePoint& p : frame.points)
        n += text[p.layer];
    return n;
}

} // namespace

int32_t MostLabelledPoints(const MapView& view)
{
    const int64_t pixels = static_cast<int64_t>(std::max(view.PicWidth, 0)) * std::max(view.PicHeight, 0);
    return static_cast<int32_t>(std::max<int64_t>(1, pixels / kPixelsPerLabel));
}

bool MapFrame::matches(const MapView& view) const
{
    return drawn && m_left == view.ViewLeftX && m_bottom == view.ViewBottomY && m_mppX == view.MetresPerPixelX &&
           m_mppY == view.MetresPerPixelY && m_height == view.PicHeight;
}

// Counting sort of the drawn points into cells: each cell's run keeps ascending k.
void MapFrame::buildGrid(const DrawingWindow& window)
{
    m_gridLeft = window.left;
    m_gridTop = window.top;
    m_columns = ((window.right - window.left) >> kCellShift) + 1;
    m_rows = ((window.bottom - window.top) >> kCellShift) + 1;
    m_cellStart.assign(static_cast<size_t>(m_columns) * m_rows + 1, 0);
    auto cellOf = [this](Pixel p) {
        return static_cast<size_t>((p.y - m_gridTop) >> kCellShift) * m_columns + ((p.x - m_gridLeft) >> kCellShift);
    };
    for (const FramePoint& p : points)
        ++m_cellStart[cellOf(p.pixel) + 1];
    for (size_t c = 1; c < m_cellStart.size(); ++c)
        m_cellStart[c] += m_cellStart[c - 1];
    m_cellItems.resize(points.size());
    std::vector<uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (uint32_t k = 0; k < points.size(); ++k)
        m_cellItems[fill[cellOf(points[k].pixel)]++] = k;
}

void BuildMapFrame(MapTables& tables, MapFrame& frame)
{
    frame.points.clear();
    frame.stations.clear();
    frame.drawn = false;
    frame.labelledCount = 0;
    frame.m_columns = 0;
    SetViewWindow(tables);
    const MapView& view = tables.view;
    if (!view.drawable())
        return;
    const bool observed = tables.ObsPointCount() > 0;
    const bool list = tables.CooPointCount() > 0;
    if (observed || list) {
        const size_t room = static_cast<size_t>(observed ? tables.ObsPointCount() : tables.CooPointCount()) + 1;
        if (tables.VisibleIndex.size() < room)
            tables.VisibleIndex.resize(room, 0);
        frame.points.reserve(room);
        if (observed)
            observedPass(tables, frame);
        else
            listPass(tables, frame);
        tables.VisibleIndexCount = static_cast<int32_t>(frame.points.size());
    }
    stationPass(tables, frame);
    frame.labelledCount = countLabelled(tables, frame);
    frame.labelsShown = frame.labelledCount <= MostLabelledPoints(view);
    frame.m_left = view.ViewLeftX;
    frame.m_bottom = view.ViewBottomY;
    frame.m_mppX = view.MetresPerPixelX;
    frame.m_mppY = view.MetresPerPixelY;
    frame.m_height = view.PicHeight;
    frame.drawn = true;
    frame.buildGrid(DrawingWindowFor(view, kPointDivisor));
}

std::vector<std::pair<Pixel, Pixel>> StationRays(const MapTables& tables, int32_t station)
{
    std::vector<std::pair<Pixel, Pixel>> rays;
    const MapView& view = tables.view;
    if (station < 1 || station > tables.StationCount() || !view.drawable())
        return rays;
    const MapStation& s = tables.Stations[station];
    const Pixel from = PixelOf(view, s.Y, s.X);
    const std::string_view name = TrimBlanks(s.name);
    const int32_t w = view.PicWidth, h = view.PicHeight;
    for (int32_t i = 1; i <= tables.ObsPointCount(); ++i) {
        if (tables.StationNames[i] != name)
            continue;
        const MapObsPoint& p = tables.ObsPoints[i];
        const Pixel to = PixelOf(view, p.Y, p.X);
        if (-w < to.x && to.x < 2 * w && -h < to.y && to.y < 2 * h)
            rays.emplace_back(from, to);
    }
    return rays;
}

} // namespace tavrelo
