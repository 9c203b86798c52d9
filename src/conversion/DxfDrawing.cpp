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
    const DxfEntityCodes& codes = kDxfEntityCodes;
    const std::string pointLayer = DxfEmitter::LayerName(options.pointLayer);
    m_pointStart = DxfEmitter::Record([&](DxfEmitter& e) {
        e.text("POINT");
        e.text(codes.layer, pointLayer);
        e.integer(codes.colour, 0);
    });
    for (int row = 0; row < 3; ++row) {
        const DxfLabelOptions& label = options.labels[row];
        Row& r = m_rows[row];
        r.enabled = label.enabled;
        r.writable = !label.layer.empty();
        r.height = options.labelHeight(row);
        r.start = DxfEmitter::Record([&](DxfEmitter& e) {
            e.text("TEXT");
            e.text(codes.layer, DxfEmitter::LayerName(label.layer));
            e.integer(codes.colour, options.labelColour(row));
        });
        r.end = DxfEmitter::Record([&](DxfEmitter& e) {
            e.height(codes.height, r.height);
            e.code(codes.next);
        });
    }
}

void DxfDrawing::header(const DxfExtents& extents)
{
    for (size_t i = 0; i < kDxfHeaderTemplateSize; ++i) {
        const DxfTemplatePair& pair = kDxfHeaderTemplate[i];
        switch (pair.extent) {
        case DxfExtentValue::None:
            if (pair.value != nullptr)
                m_out.text(pair.code, pair.value);
            else
                m_out.code(pair.code);
            break;
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
    const DxfEntityCodes& codes = kDxfEntityCodes;
    m_out.repeat(m_pointStart);
    m_out.coordinate(codes.x, x);
    m_out.coordinate(codes.y, y);
    if (m_3d)
        m_out.coordinate(codes.z, z);
    m_out.code(codes.next);
}

void DxfDrawing::textEntity(int row, double x, double y, double z, const std::string& text)
{
    const Row& r = m_rows[row];
    if (text.empty() || !r.writable)
        return;
    const DxfEntityCodes& codes = kDxfEntityCodes;
    m_out.repeat(r.start);
    m_out.text(codes.text, text);
    m_out.coordinate(codes.x, x);
    m_out.coordinate(codes.y, y);
    if (m_3d)
        m_out.coordinate(codes.z, z);
    m_out.repeat(r.end);
}

void DxfDrawing::end()
{
    m_out.text("ENDSEC");
    m_out.text(kDxfEndOfFileCode, "EOF");
    m_out.flush();
}

} // namespace tavrelo
