#pragma once
// The view geometry of the map without a window: the picture size is a
// parameter, given by whoever shows the map.
#include <cstdint>
#include <string>

namespace tavrelo {

class MapTables;

// The map picture: its size in pixels and the screen's twips per pixel.
struct ViewSize {
    int32_t width = 800;
    int32_t height = 600;
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
};

// One metre of screen in twips.
constexpr double kTwipsPerMetre = 56700.0;

struct MapView {
    float MapScale = 0.0f;     // n of 1:n; 0 until the first fit
    float PrevMapScale = 0.0f;
    int32_t PicWidth = 0;
    int32_t PicHeight = 0;
    float MetresPerPixelX = 0.0f;
    float MetresPerPixelY = 0.0f;
    double ViewLeftX = 0.0;
    double ViewBottomY = 0.0;
    // What the status bar shows after a fit ("1:2500.0").
    std::string scaleText;
    // The picture size the next fit uses; the map window sets it when it lays out.
    ViewSize picture;
};

// Sets MapScale so that the extents of the tables fill the picture around the view
// centre; keeps the old scale in PrevMapScale. A picture without pixels leaves the
// view as it was (nothing is divided by zero).
void FitScaleToExtents(MapTables& tables, const ViewSize& picture);
void FitScaleToExtents(MapTables& tables);

// Recomputes the picture size, the view edges and the metres per pixel from MapScale
// and the view centre; a scale below 0.01 changes nothing.
void SetViewWindow(MapTables& tables, const ViewSize& picture);
void SetViewWindow(MapTables& tables);

// "1:" and the scale with one decimal, as the status bar shows it.
std::string ScaleText(float scale);

} // namespace tavrelo
