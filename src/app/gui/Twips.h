#pragma once
// Sizes and places in the settings file and in the window layouts are twips, 15 to a
// logical pixel. A widget remembers the twips it was given, so a value read back is
// the value set while the widget still has the pixel size that value produced; the
// settings file then round-trips without drift from rounding to whole pixels.
class QWidget;

namespace tavrelo {

constexpr int kTwipsPerPixel = 15;

// A window's Height and Width in the settings file are its outer size, border and
// title bar included; these are the twips added to its client area.
constexpr double kWindowFrameWidthTwips = 120;
constexpr double kWindowFrameHeightTwips = 450;

// No screen shows a window or a control wider, higher or farther out than this many
// pixels (the window system's own limit on a window's size and place).
constexpr int kMostPixels = 32767;

int TwipsToPixels(double twips);

// Place and size of a control within its parent, in twips. A negative width or
// height, and a place or size past kMostPixels, is refused and leaves the control as
// it was.
void SetTwipsLeft(QWidget* widget, double twips);
void SetTwipsTop(QWidget* widget, double twips);
void SetTwipsWidth(QWidget* widget, double twips);
void SetTwipsHeight(QWidget* widget, double twips);
// A width in twips shown with another number of pixels (a caption that would be cut
// off gets the room it needs); reading gives the twips while the pixels stay.
void ShowWidthOfTwips(QWidget* widget, double twips, int px);
// The width the widget is shown with: the twips it was given, or, when it shows
// more pixels than those (ShowWidthOfTwips), its pixels in twips.
double ShownTwipsWidth(const QWidget* widget);
double TwipsLeft(const QWidget* widget);
double TwipsTop(const QWidget* widget);
double TwipsWidth(const QWidget* widget);
double TwipsHeight(const QWidget* widget);

// A top-level window's outer size in twips; refused like a control's size.
void SetWindowOuterWidth(QWidget* window, double twips);
void SetWindowOuterHeight(QWidget* window, double twips);
double WindowOuterWidth(const QWidget* window);
double WindowOuterHeight(const QWidget* window);

// Whether the window shows the outer size the program last gave it (or was never
// given one); false once the user has dragged its border.
bool ShowsTheSizeItWasGiven(const QWidget* window);

// A control's designed place and size in its container.
struct TwipsPlace {
    double left, top, width, height;
};
void PlaceTwips(QWidget* widget, const TwipsPlace& place);

} // namespace tavrelo
