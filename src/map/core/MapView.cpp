#include "map/core/MapView.h"

#include "map/core/MapTables.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tavrelo {

namespace {

// Far beyond any picture, yet inside a 32-bit pixel.
constexpr double kPixelLimit = 1.0e9;

bool hasPixels(const ViewSize& picture)
{
    return picture.width > 0 && picture.height > 0 && picture.twipsPerPixelX > 0 && picture.twipsPerPixelY > 0;
}

bool hasPoints(const MapTables& tables)
{
    return tables.MinX <= tables.MaxX && tables.MinY <= tables.MaxY;
}

// A scale the view can take: kPointScale for one below kLeastScale (or not a
// number), kMostScale for one above it (or infinite).
float usableScale(float scale)
{
    if (!(scale >= kLeastScale))
        return kPointScale;
    return std::min(scale, kMostScale);
}

bool takesScale(float scale)
{
    return scale >= kLeastScale && scale <= kMostScale;
}

// A new MapScale from a fit or a zoom window, with the scale it replaces kept.
void takeScale(MapView& view, float scale)
{
    view.PrevMapScale = view.MapScale;
    view.MapScale = usableScale(scale);
    view.scaleText = ScaleText(view.MapScale);
}

} // namespace

float ToSingle(double value)
{
    constexpr double kMost = std::numeric_limits<float>::max();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (value > kMost)
        return kInfinity;
    if (value < -kMost)
        return -kInfinity;
    return static_cast<float>(value);
}

bool MapView::drawable() const
{
    return takesScale(MapScale) && MetresPerPixelX > 0.0f && MetresPerPixelY > 0.0f && PicWidth > 0 &&
           PicHeight > 0;
}

int32_t RoundPixel(double value)
{
    if (!(value > -kPixelLimit)) // also NaN
        return static_cast<int32_t>(-kPixelLimit);
    if (value > kPixelLimit)
        return static_cast<int32_t>(kPixelLimit);
    return static_cast<int32_t>(std::nearbyint(value)); // the default mode rounds halves to even
}

DrawingWindow DrawingWindowFor(const MapView& view, int divisor)
{
    const double w = view.PicWidth, h = view.PicHeight;
    return {RoundPixel(-w / divisor), RoundPixel(w + w / divisor), RoundPixel(-h / divisor),
            RoundPixel(h + h / divisor)};
}

Ground GroundAt(const MapView& view, double x, double y)
{
    return {view.ViewLeftX + x * view.MetresPerPixelX, view.ViewBottomY + (view.PicHeight - y) * view.MetresPerPixelY};
}

Pixel PixelOf(const MapView& view, double east, double north)
{
    return {RoundPixel((east - view.ViewLeftX) / view.MetresPerPixelX),
            RoundPixel(view.PicHeight - (north - view.ViewBottomY) / view.MetresPerPixelY)};
}

std::string CursorText(const MapView& view, double x, double y)
{
    const Ground g = GroundAt(view, x, y);
    return "E=" + FormatMask(g.east, "0.00") + "  N=" + FormatMask(g.north, "0.00");
}

Ground ViewCentre(const MapTables& tables)
{
    return {tables.ViewCentreY, tables.ViewCentreX};
}

void SetViewCentre(MapTables& tables, Ground centre)
{
    tables.ViewCentreY = centre.east;
    tables.ViewCentreX = centre.north;
}

void FitScaleToExtents(MapTables& tables, const ViewSize& picture)
{
    MapView& view = tables.view;
    view.picture = picture;
    view.PicWidth = picture.width;
    view.PicHeight = picture.height;
    if (!hasPixels(picture) || !hasPoints(tables))
        return;
    const Ground centre = ViewCentre(tables);
    const float sx = ToSingle((centre.east - tables.MinY) * kTwipsPerMetre / (picture.twipsPerPixelX * picture.width));
    const float sy =
        ToSingle((centre.north - tables.MinX) * kTwipsPerMetre / (picture.twipsPerPixelY * picture.height));
    takeScale(view, 2.0f * std::max(sx, sy));
}

void FitScaleToExtents(MapTables& tables)
{
    FitScaleToExtents(tables, tables.view.picture);
}

void FitViewToData(MapTables& tables)
{
    if (!hasPoints(tables))
        return;
    tables.centreView();
    FitScaleToExtents(tables);
    const bool extent = tables.MaxX > tables.MinX || tables.MaxY > tables.MinY;
    if (extent && hasPixels(tables.view.picture)) {
        tables.view.MapScale = usableScale(tables.view.MapScale * kFitMargin);
        tables.view.scaleText = ScaleText(tables.view.MapScale);
    }
    SetViewWindow(tables);
}

void SetViewWindow(MapTables& tables, const ViewSize& picture)
{
    MapView& view = tables.view;
    if (!takesScale(view.MapScale) || !hasPixels(picture))
        return;
    view.picture = picture;
    view.PicWidth = picture.width;
    view.PicHeight = picture.height;
    const double w = view.MapScale * 0.5 * picture.width * picture.twipsPerPixelX / kTwipsPerMetre;
    const double h = view.MapScale * 0.5 * picture.height * picture.twipsPerPixelY / kTwipsPerMetre;
    const Ground centre = ViewCentre(tables);
    view.ViewLeftX = centre.east - w;
    view.ViewBottomY = centre.north - h;
    view.MetresPerPixelX = static_cast<float>(view.MapScale * picture.twipsPerPixelX / kTwipsPerMetre);
    view.MetresPerPixelY = static_cast<float>(view.MapScale * picture.twipsPerPixelY / kTwipsPerMetre);
}

void SetViewWindow(MapTables& tables)
{
    SetViewWindow(tables, tables.view.picture);
}

void ZoomToWindow(MapTables& tables)
{
    MapView& v = tables.view;
    if (!v.drawable() || !hasPixels(v.picture))
        return;
    v.ZoomBoxY1 = v.PicHeight - v.ZoomBoxY1;
    v.ZoomBoxY2 = v.PicHeight - v.ZoomBoxY2;
    if (v.ZoomBoxX1 > v.ZoomBoxX2)
        std::swap(v.ZoomBoxX1, v.ZoomBoxX2);
    if (v.ZoomBoxY1 > v.ZoomBoxY2)
        std::swap(v.ZoomBoxY1, v.ZoomBoxY2);
    const Ground centre{(v.ZoomBoxX1 + v.ZoomBoxX2) * 0.5 * v.MetresPerPixelX + v.ViewLeftX,
                        (v.ZoomBoxY1 + v.ZoomBoxY2) * 0.5 * v.MetresPerPixelY + v.ViewBottomY};
    SetViewCentre(tables, centre);
    const double lx = v.MetresPerPixelX * static_cast<double>(v.ZoomBoxX1) + v.ViewLeftX;
    const double ly = v.MetresPerPixelY * static_cast<double>(v.ZoomBoxY1) + v.ViewBottomY;
    v.PicWidth = v.picture.width;
    v.PicHeight = v.picture.height;
    const float sx = ToSingle((centre.east - lx) * kTwipsPerMetre / (v.picture.twipsPerPixelX * v.PicWidth));
    const float sy = ToSingle((centre.north - ly) * kTwipsPerMetre / (v.picture.twipsPerPixelY * v.PicHeight));
    takeScale(v, 2.0f * std::max(sx, sy));
}

void Recentre(MapTables& tables, double x, double y)
{
    if (!tables.view.drawable())
        return;
    SetViewCentre(tables, GroundAt(tables.view, x, y));
}

bool PanStep(MapTables& tables, double x, double y)
{
    MapView& v = tables.view;
    if (!v.drawable() || (std::abs(v.DragStartX - x) < 1 && std::abs(v.DragStartY - y) < 1))
        return false;
    const float dx = static_cast<float>((v.DragStartX - x) * v.MetresPerPixelX);
    const float dy = static_cast<float>((y - v.DragStartY) * v.MetresPerPixelY);
    Ground c = ViewCentre(tables);
    if ((dx < 0 && c.east + dx < tables.MinY) || (dx > 0 && c.east + dx > tables.MaxY) ||
        (dy < 0 && c.north + dy < tables.MinX) || (dy > 0 && c.north + dy > tables.MaxX))
        return false;
    c.east += dx;
    c.north += dy;
    SetViewCentre(tables, c);
    v.DragStartX = RoundPixel(x);
    v.DragStartY = RoundPixel(y);
    return true;
}

bool RealTimeZoomStep(MapTables& tables, double x, double y)
{
    MapView& v = tables.view;
    if (v.PicHeight <= 0 || !takesScale(v.MapScale))
        return false;
    const float d = ToSingle((y - v.DragStartY) * v.MapScale / v.PicHeight);
    if (std::abs(d) < 1.0f)
        return false;
    if (d < 0) {
        if (v.MapScale <= kRealTimeZoomFloor)
            return false;
        v.MapScale = std::max(v.MapScale + d, kRealTimeZoomFloor);
    } else {
        if (v.MapScale >= kMostScale)
            return false;
        v.MapScale = usableScale(v.MapScale + d);
    }
    v.scaleText = ScaleText(v.MapScale);
    v.DragStartX = RoundPixel(x);
    v.DragStartY = RoundPixel(y);
    return true;
}

bool ApplyTypedScale(MapTables& tables, const std::string& text)
{
    if (Trim(text).empty())
        return false;
    const float value = ToSingle(Val(text));
    if (!takesScale(value))
        return false;
    MapView& v = tables.view;
    v.PrevMapScale = v.MapScale;
    v.MapScale = value;
    v.scaleText = ScaleText(v.MapScale);
    return true;
}

std::string ScaleText(float scale)
{
    return "1:" + FormatMask(scale, "0.0");
}

std::string ScaleNumberText(float scale)
{
    char buffer[32];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, scale); // shortest, "." always
    return std::string(buffer, printed.ptr);
}

} // namespace tavrelo
