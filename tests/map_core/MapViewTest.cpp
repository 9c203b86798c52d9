// The view geometry: fit, view window, zoom window, pan, real-time zoom, typed scale
// and the guards against a zero scale or a picture without pixels.
#include "map/core/MapFrame.h"
#include "map/core/MapHitTest.h"
#include "map/core/MapTables.h"
#include "map/core/MapView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

using namespace tavrelo;

namespace {

const ViewSize kPicture{800, 600, 15, 15};

// Tables whose extents span east metres across and north metres up from (0, 0),
// fitted to the picture.
MapTables Spread(double east, double north, const ViewSize& picture = kPicture)
{
    MapTables t;
    t.view.picture = picture;
    t.widenExtents(0, 0);          // the tables' X is the northing, Y the easting
    t.widenExtents(north, east);
    FitViewToData(t);
    return t;
}

} // namespace

TEST(MapView, FitSpansTheWiderAxisWithEastingAcross)
{
    // 1000 m across and 200 m up on 800 x 600 pixels of 15 twips: sx = 500 * 56700 /
    // (15 * 800) = 2362.5, sy = 100 * 56700 / (15 * 600) = 630, scale 4725.
    MapTables t;
    t.widenExtents(0, 0); // the tables' X is the northing, Y the easting
    t.widenExtents(200, 1000);
    t.centreView();
    FitScaleToExtents(t, kPicture);
    SetViewWindow(t, kPicture);
    EXPECT_FLOAT_EQ(t.view.MapScale, 4725.0f);
    EXPECT_EQ(t.view.PrevMapScale, 0.0f);
    EXPECT_EQ(t.view.scaleText, "1:4725.0");
    EXPECT_NEAR(t.view.ViewLeftX, 0.0, 1e-9);
    EXPECT_NEAR(t.view.ViewLeftX + 800 * t.view.MetresPerPixelX, 1000.0, 1e-3);
    EXPECT_NEAR(t.view.ViewBottomY, 100.0 - 4725.0 * 0.5 * 600 * 15 / 56700, 1e-6);
    // East of a point is right of it, north is up.
    const Pixel west = PixelOf(t.view, 100, 100), east = PixelOf(t.view, 900, 100), north = PixelOf(t.view, 100, 150);
    EXPECT_GT(east.x, west.x);
    EXPECT_LT(north.y, west.y);
    FitScaleToExtents(t);
    EXPECT_FLOAT_EQ(t.view.PrevMapScale, 4725.0f);
    // The map window's fit leaves a margin around the data.
    FitViewToData(t);
    EXPECT_FLOAT_EQ(t.view.MapScale, 4725.0f * kFitMargin);
    EXPECT_GT(t.view.ViewLeftX, -60.0);
    EXPECT_LT(t.view.ViewLeftX, -40.0);
}

TEST(MapView, DegenerateDataNeverGivesAZeroScale)
{
    struct Case {
        const char* name;
        bool points;
        double north, east; // second point (the first is at 5, 5)
        ViewSize picture;
        float scale;        // expected MapScale afterwards
    };
    const Case cases[] = {
        {"one point", true, 5, 5, kPicture, kPointScale},
        {"all at one place", true, 5, 5, kPicture, kPointScale},
        {"no point", false, 0, 0, kPicture, 0.0f},
        {"picture without pixels", true, 100, 100, ViewSize{0, 0, 15, 15}, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapTables t;
        t.view.picture = c.picture;
        if (c.points) {
            t.widenExtents(5, 5);
            t.widenExtents(c.north, c.east);
        }
        FitViewToData(t);
        EXPECT_EQ(t.view.MapScale, c.scale);
        if (c.scale > 0) { // centred on the point
            const Pixel p = PixelOf(t.view, 5, 5);
            EXPECT_EQ(p.x, 400);
            EXPECT_EQ(p.y, 300);
        }
        EXPECT_EQ(t.view.drawable(), c.scale > 0);
    }
}

TEST(MapView, ZoomWindowIsTheSameDraggedEitherWay)
{
    MapTables a = Spread(1000, 750), b = a;
    a.view.ZoomBoxX1 = 100, a.view.ZoomBoxY1 = 100, a.view.ZoomBoxX2 = 300, a.view.ZoomBoxY2 = 200;
    b.view.ZoomBoxX1 = 300, b.view.ZoomBoxY1 = 200, b.view.ZoomBoxX2 = 100, b.view.ZoomBoxY2 = 100;
    const float before = a.view.MapScale;
    ZoomToWindow(a);
    ZoomToWindow(b);
    EXPECT_FLOAT_EQ(a.view.MapScale, b.view.MapScale);
    EXPECT_DOUBLE_EQ(a.ViewCentreX, b.ViewCentreX);
    EXPECT_DOUBLE_EQ(a.ViewCentreY, b.ViewCentreY);
    EXPECT_FLOAT_EQ(a.view.PrevMapScale, before);
    EXPECT_NEAR(a.view.MapScale, before / 4, 1e-2); // 200 of 800 pixels across
    SetViewWindow(a);
    // The rectangle's centre (200, 150) is now the picture's centre.
    const Pixel c = PixelOf(a.view, ViewCentre(a).east, ViewCentre(a).north);
    EXPECT_EQ(c.x, 400);
    EXPECT_EQ(c.y, 300);

    MapTables tiny = Spread(1, 0.75); // a rectangle of one pixel gives scale 500
    tiny.view.ZoomBoxX1 = tiny.view.ZoomBoxX2 = 10;
    tiny.view.ZoomBoxY1 = tiny.view.ZoomBoxY2 = 10;
    ZoomToWindow(tiny);
    EXPECT_EQ(tiny.view.MapScale, kPointScale);
}

TEST(MapView, RealTimeZoomSteps)
{
    struct Case {
        float scale;
        double fromY, toY;
        bool changed;
        float after;
    };
    const Case cases[] = {
        {1000, 100, 104, true, 1010},   // 4 pixels down of 400: out by 1 %
        {1010, 104, 108, true, 1020.1f},
        {1000, 104, 100, true, 990},    // up: in
        {2.5f, 400, 0, true, 2},        // never below 2
        {2, 400, 0, false, 2},
        {1000, 100, 100.2, false, 1000}, // less than 1 of scale
    };
    for (const Case& c : cases) {
        MapTables t;
        t.view.MapScale = c.scale;
        t.view.PicHeight = 400;
        t.view.DragStartY = static_cast<int32_t>(c.fromY);
        EXPECT_EQ(RealTimeZoomStep(t, 0, c.toY), c.changed) << c.scale << " " << c.toY;
        EXPECT_FLOAT_EQ(t.view.MapScale, c.after);
    }
    MapTables noPicture; // no picture height: no division, no change
    noPicture.view.MapScale = 1000;
    EXPECT_FALSE(RealTimeZoomStep(noPicture, 0, 50));
}

TEST(MapView, PanFollowsThePointerWithinTheExtents)
{
    MapTables t = Spread(1000, 750);
    const Ground c = ViewCentre(t);
    t.view.DragStartX = 400, t.view.DragStartY = 300;
    ASSERT_TRUE(PanStep(t, 390, 310)); // pointer left and down: the centre goes east and north
    EXPECT_GT(ViewCentre(t).east, c.east);
    EXPECT_GT(ViewCentre(t).north, c.north);
    EXPECT_EQ(t.view.DragStartX, 390);
    // A step that would carry the centre past the eastern edge is refused whole.
    const Ground before = ViewCentre(t);
    t.view.DragStartX = 800, t.view.DragStartY = 300;
    EXPECT_FALSE(PanStep(t, 0, 301));
    EXPECT_EQ(ViewCentre(t).east, before.east);
    EXPECT_EQ(ViewCentre(t).north, before.north);
    MapTables empty; // no data: nothing to pan over
    empty.view.DragStartX = 10;
    EXPECT_FALSE(PanStep(empty, 0, 0));
}

TEST(MapView, TypedScaleAndRecentre)
{
    MapTables t = Spread(1000, 750);
    for (const char* ignored : {"", "  ", "0,5", "abc", "0.001", "-5"})
        EXPECT_FALSE(ApplyTypedScale(t, ignored)) << ignored;
    EXPECT_TRUE(ApplyTypedScale(t, "0.01"));
    EXPECT_FLOAT_EQ(t.view.MapScale, 0.01f);
    EXPECT_TRUE(ApplyTypedScale(t, "2500"));
    EXPECT_EQ(t.view.scaleText, "1:2500.0");
    SetViewWindow(t);
    const Ground under = GroundAt(t.view, 100, 50);
    Recentre(t, 100, 50);
    EXPECT_DOUBLE_EQ(ViewCentre(t).east, under.east);
    EXPECT_DOUBLE_EQ(ViewCentre(t).north, under.north);
    EXPECT_EQ(CursorText(t.view, 400, 300).substr(0, 2), "E=");
}

TEST(MapView, DrawingWindowLimits)
{
    MapView v;
    v.PicWidth = 400;
    v.PicHeight = 300;
    const DrawingWindow obs = DrawingWindowFor(v, 8), list = DrawingWindowFor(v, 12);
    EXPECT_EQ(obs.left, -50);
    EXPECT_EQ(obs.right, 450);
    EXPECT_EQ(list.left, -33);
    EXPECT_EQ(list.right, 433);
    EXPECT_FALSE(obs.contains({-50, 10}));
    EXPECT_TRUE(obs.contains({-49, 10}));
    EXPECT_FALSE(list.contains({433, 10}));
    EXPECT_EQ(RoundPixel(2.5), 2);
    EXPECT_EQ(RoundPixel(3.5), 4);
}

TEST(MapView, ScaleIsOfferedWithTheDigitsOfItsSingle)
{
    const struct {
        float scale;
        const char* text;
    } cases[] = {
        {9225.8037109375f, "9225.804"}, {2500.0f, "2500"}, {0.01f, "0.01"}, {1234.56f, "1234.56"},
        {4725.0f * kFitMargin, "5197.5"}, {16777216.0f, "16777216"}, {kMostScale, "1e+30"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleNumberText(c.scale), c.text);
        MapTables t; // the offered text, accepted as it stands, keeps the scale
        ASSERT_TRUE(ApplyTypedScale(t, ScaleNumberText(c.scale))) << c.text;
        EXPECT_EQ(t.view.MapScale, c.scale) << c.text;
    }
}

// A coordinate-list point at northing, easting (the tables' X and Y).
void AddListPoint(MapTables& t, double north, double east)
{
    t.CooPoints.push_back({north, east, 0});
    t.PointNames.push_back("P");
    t.PointCodes.push_back("");
}

// What the hit test must answer at pixel (x, y) of the frame: the first drawn point
// whose pixel lies well inside the tolerance of 5 pixels, 0 when every drawn point
// lies well outside it, -1 when the first that is not well outside lies at its edge,
// where the half pixel the drawing rounds away decides.
int32_t ExpectedHit(const MapFrame& f, int32_t x, int32_t y)
{
    for (const FramePoint& p : f.points) {
        const int32_t distance = std::max(std::abs(p.pixel.x - x), std::abs(p.pixel.y - y));
        if (distance <= 4)
            return p.index;
        if (distance == 5)
            return -1;
    }
    return 0;
}

// Every value the view derives stays finite: the scale, the edges, the metres per
// pixel, and what the hit tests and the drawing pass compute from them. The tables
// hold a point in view: the hit test finds it where it is drawn, and nothing far
// from it, with the frame's grid and without.
void ExpectFiniteView(MapTables& t)
{
    const MapView& v = t.view;
    EXPECT_TRUE(std::isfinite(v.MapScale));
    EXPECT_LE(v.MapScale, kMostScale);
    EXPECT_TRUE(std::isfinite(v.MetresPerPixelX) && std::isfinite(v.MetresPerPixelY));
    EXPECT_TRUE(std::isfinite(v.ViewLeftX) && std::isfinite(v.ViewBottomY));
    EXPECT_TRUE(std::isfinite(t.ViewCentreX) && std::isfinite(t.ViewCentreY));
    EXPECT_TRUE(v.drawable());
    MapFrame f;
    BuildMapFrame(t, f);
    ASSERT_FALSE(f.points.empty());
    std::vector<Pixel> probes;
    for (const int32_t x : {0, 400, 799})
        for (const int32_t y : {0, 300, 599})
            probes.push_back({x, y});
    for (const FramePoint& p : f.points)
        probes.push_back(p.pixel);
    int hits = 0;
    for (const Pixel& at : probes) {
        SCOPED_TRACE(testing::Message() << "pixel " << at.x << ", " << at.y);
        EXPECT_TRUE(std::isfinite(GroundAt(v, at.x, at.y).east));
        const int32_t hit = FindCooPointAt(t, &f, at.x, at.y);
        EXPECT_EQ(FindCooPointAt(t, nullptr, at.x, at.y), hit);
        const int32_t expected = ExpectedHit(f, at.x, at.y);
        if (expected >= 0)
            EXPECT_EQ(hit, expected);
        hits += hit > 0 ? 1 : 0;
    }
    EXPECT_GT(hits, 0);
}

TEST(MapView, ScaleNeverBecomesInfinite)
{
    // A list spanning 4e38 m, and one from near the double's lowest value to near
    // its highest: the fit takes the greatest scale the view has.
    for (const double far : {4e38, 1.7e308}) {
        SCOPED_TRACE(far);
        MapTables t;
        t.view.picture = kPicture;
        t.layers.setDialogDefaults();
        const double low = far > 1e300 ? -far : 0.0;
        for (const double north : {low, far}) {
            AddListPoint(t, north, north);
            t.widenExtents(north, north);
        }
        const double middle = low / 2 + far / 2;
        AddListPoint(t, middle, middle); // in view, where the fit centres it
        FitViewToData(t);
        EXPECT_EQ(t.view.MapScale, kMostScale);
        ExpectFiniteView(t);
        t.view.DragStartY = 0; // zooming out further changes nothing
        EXPECT_FALSE(RealTimeZoomStep(t, 0, 500));
        EXPECT_EQ(t.view.MapScale, kMostScale);
    }

    // A typed scale that is not finite as a 32-bit number, or above the greatest, is
    // refused like one below 0.01.
    MapTables t = Spread(1000, 750);
    t.layers.setDialogDefaults();
    AddListPoint(t, 0, 0);
    AddListPoint(t, 750, 1000);
    const float before = t.view.MapScale;
    for (const char* refused : {"1e39", "3.5e38", "1e31", "2e30"}) {
        EXPECT_FALSE(ApplyTypedScale(t, refused)) << refused;
        EXPECT_EQ(t.view.MapScale, before);
    }
    EXPECT_TRUE(ApplyTypedScale(t, "1e29"));
    ExpectFiniteView(t);

    // The real-time zoom out stops at the greatest scale.
    t.view.MapScale = kMostScale * 0.9f;
    t.view.DragStartY = 0;
    EXPECT_TRUE(RealTimeZoomStep(t, 0, 590));
    EXPECT_EQ(t.view.MapScale, kMostScale);
    ExpectFiniteView(t);
}
