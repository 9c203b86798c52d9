#include "app/gui/Twips.h"

#include <QVariant>
#include <QWidget>

#include <cmath>

namespace tavrelo {

namespace {

enum class Side { Left, Top, Width, Height };

const char* PropertyName(Side side)
{
    static const char* const kNames[] = {"twipsLeft", "twipsTop", "twipsWidth", "twipsHeight"};
    return kNames[static_cast<int>(side)];
}

// The pixels the twips were shown with: while the widget keeps them, the twips stand.
QByteArray PixelsName(Side side)
{
    return QByteArray(PropertyName(side)) + "Pixels";
}

void MoveOrResize(QWidget* widget, Side side, int px)
{
    switch (side) {
    case Side::Left: widget->move(px, widget->y()); break;
    case Side::Top: widget->move(widget->x(), px); break;
    case Side::Width: widget->resize(px, widget->height()); break;
    case Side::Height: widget->resize(widget->width(), px); break;
    }
}

void Remember(QWidget* widget, Side side, double twips, int px)
{
    widget->setProperty(PropertyName(side), twips);
    widget->setProperty(PixelsName(side).constData(), px);
}

// A number of twips a screen can show: a size from 0, a place either side of 0.
bool Showable(double twips, bool isSize)
{
    const double most = double(kMostPixels) * kTwipsPerPixel;
    return std::isfinite(twips) && twips <= most && twips >= (isSize ? 0.0 : -most);
}

void SetTwips(QWidget* widget, Side side, double twips)
{
    const bool isSize = side == Side::Width || side == Side::Height;
    if (!widget || !Showable(twips, isSize))
        return;
    const int px = TwipsToPixels(twips);
    Remember(widget, side, twips, px);
    MoveOrResize(widget, side, px);
}

// What was set, while the widget still shows it; otherwise its pixels in twips.
double Twips(const QWidget* widget, Side side, int px, double frameTwips = 0)
{
    const QVariant stored = widget->property(PropertyName(side));
    const QVariant shownWith = widget->property(PixelsName(side).constData());
    if (stored.isValid() && shownWith.isValid() && shownWith.toInt() == px)
        return stored.toDouble();
    return px * kTwipsPerPixel + frameTwips;
}

} // namespace

int TwipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

void SetTwipsLeft(QWidget* widget, double twips) { SetTwips(widget, Side::Left, twips); }
void SetTwipsTop(QWidget* widget, double twips) { SetTwips(widget, Side::Top, twips); }
void SetTwipsWidth(QWidget* widget, double twips) { SetTwips(widget, Side::Width, twips); }
void SetTwipsHeight(QWidget* widget, double twips) { SetTwips(widget, Side::Height, twips); }

void ShowWidthOfTwips(QWidget* widget, double twips, int px)
{
    if (!widget || !Showable(twips, true) || px < 0 || px > kMostPixels)
        return;
    Remember(widget, Side::Width, twips, px);
    widget->resize(px, widget->height());
}

double TwipsLeft(const QWidget* widget) { return Twips(widget, Side::Left, widget->x()); }
double TwipsTop(const QWidget* widget) { return Twips(widget, Side::Top, widget->y()); }
double TwipsWidth(const QWidget* widget) { return Twips(widget, Side::Width, widget->width()); }
double TwipsHeight(const QWidget* widget) { return Twips(widget, Side::Height, widget->height()); }

double ShownTwipsWidth(const QWidget* widget)
{
    const double twips = TwipsWidth(widget);
    return TwipsToPixels(twips) == widget->width() ? twips : widget->width() * kTwipsPerPixel;
}

void SetWindowOuterWidth(QWidget* window, double twips)
{
    if (!window || !Showable(twips, true) || twips < kWindowFrameWidthTwips)
        return;
    const int px = TwipsToPixels(twips - kWindowFrameWidthTwips);
    Remember(window, Side::Width, twips, px);
    window->resize(px, window->height());
}

void SetWindowOuterHeight(QWidget* window, double twips)
{
    if (!window || !Showable(twips, true) || twips < kWindowFrameHeightTwips)
        return;
    const int px = TwipsToPixels(twips - kWindowFrameHeightTwips);
    Remember(window, Side::Height, twips, px);
    window->resize(window->width(), px);
}

double WindowOuterWidth(const QWidget* window)
{
    return Twips(window, Side::Width, window->width(), kWindowFrameWidthTwips);
}

double WindowOuterHeight(const QWidget* window)
{
    return Twips(window, Side::Height, window->height(), kWindowFrameHeightTwips);
}

bool ShowsTheSizeItWasGiven(const QWidget* window)
{
    const QVariant width = window->property(PixelsName(Side::Width).constData());
    const QVariant height = window->property(PixelsName(Side::Height).constData());
    return (!width.isValid() || width.toInt() == window->width()) &&
           (!height.isValid() || height.toInt() == window->height());
}

void PlaceTwips(QWidget* widget, const TwipsPlace& place)
{
    SetTwipsLeft(widget, place.left);
    SetTwipsTop(widget, place.top);
    SetTwipsWidth(widget, place.width);
    SetTwipsHeight(widget, place.height);
}

} // namespace tavrelo
