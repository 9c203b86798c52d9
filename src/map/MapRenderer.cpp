#include "map/MapRenderer.h"

#include "app/gui/QtText.h"
#include "map/core/LabelLayout.h"
#include "map/core/MapFrame.h"
#include "map/core/MapTables.h"
#include "platform/TextRules.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace tavrelo {

namespace {

constexpr int kStationRadius = 3;

// A point's symbol: its own pixel and the four around it, so that a point shows on
// any screen; the centre is the point's pixel.
void plot(uchar* bits, qsizetype stride, int width, int height, Pixel p, QRgb colour)
{
    static const int kArms[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& arm : kArms) {
        const int x = p.x + arm[0], y = p.y + arm[1];
        if (x >= 0 && y >= 0 && x < width && y < height)
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
    }
}

// Text placed by its top-left corner.
void drawTextAt(QPainter& painter, const QFontMetricsF& metrics, double x, double y, const std::string& text)
{
    painter.drawText(QPointF(x, y + metrics.ascent()), ToQt(text));
}

} // namespace

void MapRenderer::render(const MapTables& tables, const MapFrame& frame, QImage& image) const
{
    image.fill(MapColours::Ground);
    if (!frame.drawn)
        return;
    drawSymbols(tables, frame, image);
    if (frame.labelsShown)
        drawLabels(tables, frame, image);
    drawStations(tables, frame, image);
}

void MapRenderer::drawSymbols(const MapTables& tables, const MapFrame& frame, QImage& image) const
{
    bool symbol[11];
    for (int t = 0; t < 11; ++t)
        symbol[t] = tables.layers.labelOn(t, Attribute::Symbol);
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRgb white = MapColours::Symbol.rgb();
    for (const FramePoint& p : frame.points)
        if (symbol[p.layer])
            plot(bits, stride, image.width(), image.height(), p.pixel, white);
}

void MapRenderer::drawLabels(const MapTables& tables, const MapFrame& frame, QImage& image) const
{
    QPainter painter(&image);
    painter.setFont(m_font);
    painter.setPen(MapColours::Label);
    const QFontMetricsF metrics(m_font);
    const double h2 = metrics.height() / 2.0;
    const TextWidth width = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(ToQt(std::string(text)));
    };
    const bool list = tables.CooPointCount() > 0;
    for (const FramePoint& p : frame.points) {
        const LabelSwitches on{tables.layers.labelOn(p.layer, Attribute::Name),
                               tables.layers.labelOn(p.layer, Attribute::Elevation),
                               tables.layers.labelOn(p.layer, Attribute::Code)};
        if (!on.name && !on.elevation && !on.code)
            continue;
        const double height = list ? tables.CooPoints[p.index].H : tables.ObsPoints[p.index].H;
        const LabelBlock block = LayoutLabel(on, list, tables.PointNames[p.index], height,
                                             tables.PointCodes[p.index], p.pixel, h2, width);
        for (int i = 0; i < block.count; ++i)
            drawTextAt(painter, metrics, block.texts[i].x, block.texts[i].y, block.texts[i].text);
        if (block.rule && block.ruleX1 > block.ruleX0)
            painter.drawLine(block.ruleX0, block.ruleY, block.ruleX1, block.ruleY);
    }
}

void MapRenderer::drawStations(const MapTables& tables, const MapFrame& frame, QImage& image) const
{
    if (frame.stations.empty())
        return;
    QPainter painter(&image);
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font);
    const double h2 = metrics.height() / 2.0;
    for (const FrameStation& s : frame.stations) {
        const QPoint centre(s.pixel.x, s.pixel.y);
        painter.setPen(MapColours::Symbol);
        painter.drawPoint(centre);
        painter.drawEllipse(centre, kStationRadius, kStationRadius);
        if (!frame.labelsShown)
            continue;
        painter.setPen(MapColours::Station);
        drawTextAt(painter, metrics, s.pixel.x + 4, s.pixel.y - h2, std::string(TrimBlanks(tables.Stations[s.index].name)));
    }
}

void MapRenderer::drawStationRays(const MapTables& tables, int station, QImage& image) const
{
    QPainter painter(&image);
    painter.setPen(MapColours::Station);
    for (const auto& ray : StationRays(tables, station))
        painter.drawLine(ray.first.x, ray.first.y, ray.second.x, ray.second.y);
}

} // namespace tavrelo
