#include "conversion/DxfDrawing.h"

#include "conversion/DxfHeaderTemplate.h"

namespace tavrelo {

void DxfExtents::add(double x, double y)
{
    if (x < minX) minX = x;
    if (y < minY) minY = y;
    if (x > maxX) maxX = x;
    if (y > maxY) maxY = y;
}

DxfDrawing::DxfDrawing(ByteSink& sink, const DxfOptions& options) : m_out(sink), m_3d(options.output3D)
{
    const std::string pointLayer = DxfEmitter::LayerName(options.pointLayer);
    m_pointStart = DxfEmitter::Record([&](DxfEmitter& e) {
        e.text(0, "POINT");
        e.text(8, pointLayer);
        e.integer(62, 0);
    });
    for (int row = 0; row < 3; ++row) {
        const DxfLabelOptions& label = options.labels[row];
        Row& r = m_rows[row];
        r.enabled = label.enabled;
        r.writable = !label.layer.empty();
        r.height = options.labelHeight(row);
        r.start = DxfEmitter::Record([&](DxfEmitter& e) {
            e.text(0, "TEXT");
            e.text(8, DxfEmitter::LayerName(label.layer));
            e.integer(62, options.labelColour(row));
        });
        r.end = DxfEmitter::Record([&](DxfEmitter& e) { e.height(40, r.height); });
    }
}

void DxfDrawing::header(const DxfExtents& extents)
{
    for (size_t i = 0; i < kDxfHeaderTemplateSize; ++i) {
        const DxfTemplatePair& pair = kDxfHeaderTemplate[i];
        switch (pair.extent) {
        case DxfExtentValue::None: m_out.text(pair.code, pair.value); break;
        case DxfExtentValue::MinX: m_out.extent(pair.code, extents.minX); break;
        case DxfExtentValue::MinY: m_out.extent(pair.code, extents.minY); break;
        case DxfExtentValue::MaxX: m_out.extent(pair.code, extents.maxX); break;
        case DxfExtentValue::MaxY: m_out.extent(pair.code, extents.maxY); break;
        }
    }
}

void DxfDrawing::point(const DxfPoint& point)
{
    pointEntity(point.easting, point.northing, point.elevation);
    double dx = 0, dy = 0;
    for (int row = 0; row < 3; ++row) {
        if (!m_rows[row].enabled)
            continue;
        const double h = m_rows[row].height;
        if (row == kLabelPointName) {
            dx = h / 2;
            dy = h / 2;
        } else {
            if (dx == 0)
                dx = h / 2;
            dy += 1.2 * h;
        }
        textEntity(row, point.easting + dx, point.northing - dy, point.elevation, point.labels[row]);
    }
}

void DxfDrawing::pointEntity(double x, double y, double z)
{
    m_out.repeat(m_pointStart);
    m_out.coordinate(10, x);
    m_out.coordinate(20, y);
    if (m_3d)
        m_out.coordinate(30, z);
}

void DxfDrawing::textEntity(int row, double x, double y, double z, const std::string& text)
{
    const Row& r = m_rows[row];
    if (text.empty() || !r.writable)
        return;
    m_out.repeat(r.start);
    m_out.text(1, text);
    m_out.coordinate(10, x);
    m_out.coordinate(20, y);
    if (m_3d)
        m_out.coordinate(30, z);
    m_out.repeat(r.end);
}

void DxfDrawing::end()
{
    m_out.text(0, "ENDSEC");
    m_out.text(0, "EOF");
    m_out.flush();
}

} // namespace tavrelo
