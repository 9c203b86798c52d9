#pragma once
// The view geometry of the map without a window: the picture size is a
// parameter, given by whoever shows the map.
//
// The map is drawn as surveyors read it: easting to the right, northing up. The
// tables hold the calculator's axes (X northing, Y easting), so the picture's
// horizontal axis is the tables' Y and its vertical axis their X. The view's own
// names follow the picture: ViewLeftX is the easting at the picture's left edge,
// ViewBottomY the northing at its bottom edge, MetresPerPixelX the metres across
// one pixel.
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
// The scale shown for data without extent (one point, or all at one place) and for
// a zoom window too small to give a scale.
constexpr float kPointScale = 500.0f;
// The least scale the view takes; the real-time zoom stops at kRealTimeZoomFloor.
constexpr float kLeastScale = 0.01f;
constexpr float kRealTimeZoomFloor = 2.0f;
// The greatest scale the view takes: far beyond any survey (the largest picture then
// spans some 1e31 m), yet every length, tolerance and pixel the view derives from it
// stays a finite 32-bit number. A fit or a zoom that needs more takes this one.
constexpr float kMostScale = 1.0e30f;

// A double as a 32-bit float; beyond the float's range it becomes an infinity of its
// sign (the plain conversion is undefined there).
float ToSingle(double value);

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

    // The zoom window's corners in picture pixels (rows from the top) and whether the
    // first corner is placed; the pixel where a pan or real-time zoom step started.
    int32_t ZoomBoxX1 = 0, ZoomBoxY1 = 0, ZoomBoxX2 = 0, ZoomBoxY2 = 0;
    bool ZoomBoxStarted = false;
    int32_t DragStartX = 0, DragStartY = 0;

    // Metres per pixel and picture both usable: the map can be drawn and picked.
    bool drawable() const;
};

// A picture position in whole pixels and a ground position (easting, northing).
struct Pixel {
    int32_t x = 0;
    int32_t y = 0;
};
struct Ground {
    double east = 0.0;
    double north = 0.0;
};

// The picture's bounds for one drawing pass: a point is drawn when
// left < x < right and top < y < bottom (divisor 8 or 12 of the picture's size).
struct DrawingWindow {
    int32_t left, right, top, bottom;
    bool contains(Pixel p) const { return left < p.x && p.x < right && top < p.y && p.y < bottom; }
};
DrawingWindow DrawingWindowFor(const MapView& view, int divisor);

// A mouse position rounded to a whole pixel, halves to the even neighbour.
int32_t RoundPixel(double value);

// The ground under picture position (x, y), and the pixel of a ground position.
Ground GroundAt(const MapView& view, double x, double y);
Pixel PixelOf(const MapView& view, double east, double north);

// The status bar's cursor position: "E=… N=…" with two decimals.
std::string CursorText(const MapView& view, double x, double y);

// The view centre in picture axes (the tables keep it in theirs).
Ground ViewCentre(const MapTables& tables);
void SetViewCentre(MapTables& tables, Ground centre);

// Sets MapScale so that the extents of the tables fill the picture around the view
// centre; keeps the old scale in PrevMapScale. Extents of zero size give
// kPointScale; tables without a point, or a picture without pixels, leave the view
// as it was (nothing is divided by zero).
void FitScaleToExtents(MapTables& tables, const ViewSize& picture);
void FitScaleToExtents(MapTables& tables);
// The centre at the middle of the extents, then the fit with a margin of
// kFitMargin around the data (so the outermost points and their labels lie inside
// the picture, not on its edge), and the view window.
constexpr float kFitMargin = 1.1f;
void FitViewToData(MapTables& tables);

// Recomputes the picture size, the view edges and the metres per pixel from MapScale
// and the view centre; a scale below 0.01 or a picture without pixels changes nothing.
void SetViewWindow(MapTables& tables, const ViewSize& picture);
void SetViewWindow(MapTables& tables);

// The zoom window's corners turned into a new centre and scale (kPointScale when
// the rectangle gives less than 0.01); the corners are left ordered, rows from the
// bottom.
void ZoomToWindow(MapTables& tables);

// The right button: the ground under (x, y) becomes the centre.
void Recentre(MapTables& tables, double x, double y);

// One pan step from the drag start to (x, y): the map follows the pointer. Refused
// (false, nothing changes) when it would carry the centre out of the data extents
// in its own direction, or when the pointer has not moved a pixel.
bool PanStep(MapTables& tables, double x, double y);

// One real-time zoom step: the pointer's travel since the drag start, in picture
// heights, changes the scale by that part of itself (down zooms out, up zooms in,
// never below kRealTimeZoomFloor). False when the scale did not change.
bool RealTimeZoomStep(MapTables& tables, double x, double y);

// A typed scale: empty, not a number, below 0.01 or above kMostScale (an infinite
// one included) is ignored (false).
bool ApplyTypedScale(MapTables& tables, const std::string& text);

// "1:" and the scale with one decimal, as the status bar shows it.
std::string ScaleText(float scale);

// The scale as the New Scale box offers it: the fewest digits that read back as the
// same 32-bit number ("9225.804", not the "9225.8037109375" of its binary value).
std::string ScaleNumberText(float scale);

} // namespace tavrelo
