#pragma once
// Paints a drawing frame of the map into an image: the dark ground, the point
// symbols in white, their label blocks in light green, stations and known points as
// white circles with red names, and on request one station's rays in red. All the
// positions come from the frame and the label layouts of the map core.
#include <QColor>
#include <QFont>

class QImage;

namespace tavrelo {

class MapFrame;
class MapTables;

namespace MapColours {
const QColor Ground(14, 18, 24);
const QColor Symbol(255, 255, 255); // QBColor 15
const QColor Label(0, 255, 0);      // QBColor 10
const QColor Station(255, 0, 0);
} // namespace MapColours

class MapRenderer {
public:
    explicit MapRenderer(const QFont& font) : m_font(font) {}

    // The whole map of the frame, in copy mode, into image (its size is the picture's).
    void render(const MapTables& tables, const MapFrame& frame, QImage& image) const;
    // The rays of station s over what image shows.
    void drawStationRays(const MapTables& tables, int station, QImage& image) const;

    const QFont& font() const { return m_font; }

private:
    void drawSymbols(const MapTables& tables, const MapFrame& frame, QImage& image) const;
    void drawLabels(const MapTables& tables, const MapFrame& frame, QImage& image) const;
    void drawStations(const MapTables& tables, const MapFrame& frame, QImage& image) const;

    QFont m_font;
};

} // namespace tavrelo
