#include "map/core/MapView.h"

#include "map/core/MapTables.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <cmath>

namespace tavrelo {

void FitScaleToExtents(MapTables& tables, const ViewSize& picture)
{
    MapView& view = tables.view;
    view.picture = picture;
    view.PicWidth = picture.width;
    view.PicHeight = picture.height;
    if (picture.width <= 0 || picture.height <= 0 || picture.twipsPerPixelX <= 0 || picture.twipsPerPixelY <= 0)
        return;
    const float sx = static_cast<float>((tables.ViewCentreX - tables.MinX) * kTwipsPerMetre
                                        / (picture.twipsPerPixelX * picture.width));
    const float sy = static_cast<float>((tables.ViewCentreY - tables.MinY) * kTwipsPerMetre
                                        / (picture.twipsPerPixelY * picture.height));
    view.PrevMapScale = view.MapScale;
    view.MapScale = 2.0f * std::max(sx, sy);
    view.scaleText = ScaleText(view.MapScale);
}

void FitScaleToExtents(MapTables& tables)
{
    FitScaleToExtents(tables, tables.view.picture);
}

void SetViewWindow(MapTables& tables, const ViewSize& picture)
{
    MapView& view = tables.view;
    if (!(view.MapScale >= 0.01f))
        return;
    view.picture = picture;
    view.PicWidth = picture.width;
    view.PicHeight = picture.height;
    const double w = view.MapScale * 0.5 * picture.width * picture.twipsPerPixelX / kTwipsPerMetre;
    const double h = view.MapScale * 0.5 * picture.height * picture.twipsPerPixelY / kTwipsPerMetre;
    view.ViewLeftX = tables.ViewCentreX - w;
    view.ViewBottomY = tables.ViewCentreY - h;
    view.MetresPerPixelX = static_cast<float>(view.MapScale * picture.twipsPerPixelX / kTwipsPerMetre);
    view.MetresPerPixelY = static_cast<float>(view.MapScale * picture.twipsPerPixelY / kTwipsPerMetre);
}

void SetViewWindow(MapTables& tables)
{
    SetViewWindow(tables, tables.view.picture);
}

std::string ScaleText(float scale)
{
    return "1:" + FormatMask(scale, "0.0");
}

} // namespace tavrelo
