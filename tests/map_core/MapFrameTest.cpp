// A drawing pass without painting, the hit tests, the label layouts and the texts of
// the point information and statistics.
#include "map/core/LabelLayout.h"
#include "map/core/MapFrame.h"
#include "map/core/MapHitTest.h"
#include "map/core/MapReports.h"
#include "map/core/MapTables.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavrelo;

namespace {

// A view of 400 x 300 pixels at one metre a pixel with (0, 0) at its lower-left corner:
// the point at easting e, northing n lies at pixel (e, 300 - n).
void OneMetrePerPixel(MapTables& t)
{
    t.layers.setDialogDefaults();
    t.view.picture = ViewSize{400, 300, 15, 15};
    t.view.MapScale = static_cast<float>(kTwipsPerMetre / 15.0);
    SetViewCentre(t, {200, 150});
    SetViewWindow(t);
}

MapObsPoint Obs(double east, double north, int16_t type = PointType::SideShot)
{
    MapObsPoint p;
    p.X = north;
    p.Y = east;
    p.type = type;
    return p;
}

MapStation Station(const char* name, double east, double north, int16_t type = PointType::Station)
{
    MapStation s;
    s.name = name;
    s.X = north;
    s.Y = east;
    s.type = type;
    return s;
}

} // namespace

TEST(MapFrame, DrawsWhatTheLayersShowAndRecordsIt)
{
    MapTables t;
    OneMetrePerPixel(t);
    t.addObsPoint(Obs(10, 10), "SS1", "", "S1", "B");
    t.addObsPoint(Obs(20, 20, PointType::Control), "CP1", "", "S1", "B");
    t.addObsPoint(Obs(-60, 20), "OUT", "", "S1", "B"); // left of the drawing window
    t.addObsPoint(Obs(30, 30), "SS2", "", "S2", "B");
    t.addStation(Station("S1", 100, 100));
    t.addStation(Station("U1", 50, 50, PointType::UP));
    t.VisibleIndex.assign(5, 0);

    MapFrame f;
    BuildMapFrame(t, f);
    ASSERT_TRUE(f.drawn);
    ASSERT_EQ(f.points.size(), 3u);
    EXPECT_EQ(t.VisibleIndexCount, 3);
    EXPECT_EQ(t.VisibleIndex[3], 4);
    EXPECT_EQ(f.points[0].pixel.x, 10);
    EXPECT_EQ(f.points[0].pixel.y, 290);
    EXPECT_EQ(f.stations.size(), 2u);

    t.layers.LayerOn[1] = 0; // side shots hidden: neither drawn nor pickable
    t.layers.LayerOn[3] = 0; // the UP known point hidden
    BuildMapFrame(t, f);
    ASSERT_EQ(f.points.size(), 1u);
    EXPECT_EQ(f.points[0].index, 2);
    EXPECT_EQ(f.stations.size(), 1u);
    EXPECT_EQ(FindObsPointAt(t, &f, 10, 290), 0);
    EXPECT_EQ(FindObsPointAt(t, &f, 20, 280), 2);
    EXPECT_EQ(FindStationAt(t, 50, 250), 0);

    t.layers.LayerOn[0] = 0; // no station without layer 0, whatever their own layer says
    t.layers.LayerOn[3] = -1;
    BuildMapFrame(t, f);
    EXPECT_TRUE(f.stations.empty());
    EXPECT_EQ(FindStationAt(t, 100, 200), 0);
}

TEST(MapFrame, CoordinateListPointsFollowLayerThree)
{
    MapTables t;
    OneMetrePerPixel(t);
    t.CooPoints.push_back({10, 10, 0});
    t.PointNames.push_back("P1");
    t.PointCodes.push_back("");
    t.VisibleIndex.assign(2, 0);
    MapFrame f;
    BuildMapFrame(t, f);
    EXPECT_EQ(f.points.size(), 1u);
    EXPECT_EQ(FindCooPointAt(t, &f, 10, 290), 1);
    t.layers.LayerOn[3] = 0;
    BuildMapFrame(t, f);
    EXPECT_TRUE(f.points.empty());
    EXPECT_EQ(FindCooPointAt(t, &f, 10, 290), 0);
    EXPECT_EQ(FindCooPointAt(t, nullptr, 10, 290), 0);
    EXPECT_EQ(MapStatisticsText(t), "Stations: 0\r\nPoints: 0\r\n" + std::string(26, ' '));
}

TEST(MapHitTest, FirstInOrderWithinFivePixels)
{
    MapTables t;
    OneMetrePerPixel(t);
    t.addObsPoint(Obs(100, 100), "A", "", "S", "B");
    t.addObsPoint(Obs(103, 100), "B", "", "S", "B");
    t.VisibleIndex.assign(3, 0);
    MapFrame f;
    BuildMapFrame(t, f);
    for (const MapFrame* frame : {static_cast<const MapFrame*>(&f), static_cast<const MapFrame*>(nullptr)}) {
        EXPECT_EQ(FindObsPointAt(t, frame, 102, 200), 1); // near both: the first
        EXPECT_EQ(FindObsPointAt(t, frame, 107, 200), 2); // 4 from B, 7 from A
        EXPECT_EQ(FindObsPointAt(t, frame, 108, 200), 0); // exactly 5 from B: no hit
        EXPECT_EQ(FindObsPointAt(t, frame, 100, 205), 0);
    }
}

TEST(MapHitTest, GridGivesThePlainScansAnswer)
{
    MapTables t;
    t.layers.setDialogDefaults();
    std::mt19937 random(7);
    std::uniform_real_distribution<double> east(0, 1000), north(0, 600);
    for (int i = 0; i < 20000; ++i)
        t.addObsPoint(Obs(east(random), north(random), static_cast<int16_t>(1 + i % 2)), "P", "", "S", "B");
    t.widenExtents(0, 0);
    t.widenExtents(600, 1000);
    t.view.picture = ViewSize{800, 500, 15, 15};
    FitViewToData(t);
    t.VisibleIndex.assign(20001, 0);
    MapFrame f;
    BuildMapFrame(t, f);
    std::uniform_real_distribution<double> x(-10, 810), y(-10, 510);
    int hits = 0;
    for (int k = 0; k < 2000; ++k) {
        const double px = x(random), py = y(random);
        const int32_t grid = FindObsPointAt(t, &f, px, py);
        ASSERT_EQ(grid, FindObsPointAt(t, nullptr, px, py)) << px << " " << py;
        hits += grid > 0;
    }
    EXPECT_GT(hits, 100);
    SetViewCentre(t, {10, 10}); // a frame of another view is not used
    SetViewWindow(t);
    EXPECT_FALSE(f.matches(t.view));
}

TEST(MapFrame, StationRaysGoToItsOwnObservations)
{
    MapTables t;
    OneMetrePerPixel(t);
    t.addStation(Station("S1", 100, 100));
    t.addObsPoint(Obs(150, 100), "P1", "", "S1", "B");
    t.addObsPoint(Obs(150, 150), "P2", "", "s1", "B");   // other letter case
    t.addObsPoint(Obs(150, 120), "P3", "", "S1 ", "B");  // trailing blank
    t.addObsPoint(Obs(5000, 100), "P4", "", "S1", "B");  // beyond the ray window
    const auto rays = StationRays(t, 1);
    ASSERT_EQ(rays.size(), 1u);
    EXPECT_EQ(rays[0].first.x, 100);
    EXPECT_EQ(rays[0].second.x, 150);
    EXPECT_EQ(rays[0].second.y, 200);
}

TEST(LabelLayout, EveryCombinationOfTexts)
{
    // Texts are 6 pixels a character; half a line is 5; the point at (100, 50).
    const TextWidth width = [](std::string_view s) { return 6.0 * s.size(); };
    struct Case {
        bool n, e, c, list;
        const char* code;
        const char* expected; // "text@x,y" pieces, then "|rule x0-x1@y"
    };
    const Case cases[] = {
        {true, false, false, false, "C", "N1@104,45"},
        {false, true, false, false, "C", "12.35@104,45"},
        {false, false, true, false, "C", "C@104,45"},
        {true, true, false, false, "C", "N1@104,40 12.35@104,50|104-116@50"},
        {false, true, true, false, "", "12.35@104,45"},
        {false, true, true, true, "", "@104,40 12.35@104,50|104-104@50"},
        {false, true, true, false, "C", "C@104,40 12.35@104,50|104-110@50"},
        {true, false, true, false, "", "N1@104,45"},
        {true, false, true, false, "C", "N1@104,40 C@104,50|104-116@50"},
        {true, true, true, false, "", "N1@104,40 12.35@104,50|104-116@50"},
        {true, true, true, false, "C", "C@104,40 12.35@104,50 N1@84,45|104-110@50"},
        {false, false, false, false, "C", ""},
    };
    for (const Case& c : cases) {
        const LabelBlock b =
            LayoutLabel({c.n, c.e, c.c}, c.list, "N1", 12.345, c.code, Pixel{100, 50}, 5.0, width);
        std::string got;
        for (int i = 0; i < b.count; ++i)
            got += (i ? " " : "") + b.texts[i].text + "@" + std::to_string(static_cast<int>(b.texts[i].x)) + "," +
                   std::to_string(static_cast<int>(b.texts[i].y));
        if (b.rule)
            got += "|" + std::to_string(b.ruleX0) + "-" + std::to_string(b.ruleX1) + "@" + std::to_string(b.ruleY);
        EXPECT_EQ(got, c.expected) << c.n << c.e << c.c << c.list << " code '" << c.code << "'";
    }
}

TEST(MapReports, PointInformation)
{
    MapTables t;
    for (int i = 1; i <= 7; ++i) {
        t.CooPoints.push_back({6500000.0 + i, 1234.5, 12.5});
        t.PointNames.push_back("P" + std::to_string(i));
        t.PointCodes.push_back("TREE");
    }
    const PointInfo c = CooPointInfo(t, 7);
    EXPECT_EQ(c.tag, "C7");
    EXPECT_EQ(c.east, "1234.500");    // the tables' Y: easting
    EXPECT_EQ(c.north, "6500007.000");
    EXPECT_FALSE(c.observed);

    MapTables o;
    MapObsPoint p = Obs(10, 20);
    p.SD = 12.3456f, p.Ha = 123.4567f, p.Va = 99.5f, p.Ht = 1.5f;
    o.addObsPoint(p, "P1", "", "ST1", "ST2");
    const PointInfo i = ObsPointInfo(o, 1);
    EXPECT_EQ(i.tag, "1");
    EXPECT_EQ(i.stationLines, "Station: ST1\r\nBackStation: ST2");
    EXPECT_EQ(i.polarLines, "SD = 12.346\r\nHa = 123.4567\r\nVa = 99.5000\r\nHt = 1.500\r\n");
    EXPECT_EQ(DecimalPointText(" 12,5 "), "12.5");
    EXPECT_EQ(DecimalPointText("1,2,3"), "1.2,3");
}

TEST(MapReports, StatisticsCountTheShownLayers)
{
    const std::string tail(26, ' ');
    MapTables t;
    t.layers.setDialogDefaults();
    for (int i = 0; i < 10; ++i)
        t.addObsPoint(Obs(i, i), "S", "", "ST", "B");
    for (int i = 0; i < 4; ++i)
        t.addObsPoint(Obs(i, i, PointType::Control), "C", "", "ST", "B");
    for (int i = 0; i < 3; ++i)
        t.addStation(Station("U", i, i, PointType::UP));
    t.addStation(Station("S1", 0, 0));
    t.addStation(Station("S2", 0, 0));
    EXPECT_EQ(MapStatisticsText(t), "Stations: 5\r\nUP: 3\r\nPoints: 14\r\nSS: 10\r\nCP: 4\r\n" + tail);
    t.layers.LayerOn[1] = 0;
    t.layers.LayerOn[0] = 0;
    EXPECT_EQ(MapStatisticsText(t), "Points: 4\r\nCP: 4\r\n" + tail);

    MapTables list;
    list.layers.setDialogDefaults();
    for (int i = 0; i < 25; ++i)
        list.CooPoints.push_back({});
    EXPECT_EQ(MapStatisticsText(list), "Stations: 0\r\nPoints: 25\r\nUP: 25\r\n" + tail);
}

TEST(MapFrame, LabelsFollowThePictureArea)
{
    struct Case {
        int32_t width, height, points;
        bool labels;
    };
    const Case cases[] = {
        {605, 364, 5000, false}, // one label for every 44 pixels: a solid block
        {605, 364, 220, true},   // 220 220 pixels hold 220 labels
        {605, 364, 221, false},
        {1210, 728, 880, true},  // four times the picture, four times the labels
        {1210, 728, 881, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << ", " << c.points << " points");
        MapTables t;
        t.layers.setDialogDefaults();
        t.view.picture = ViewSize{c.width, c.height, 15, 15};
        t.view.MapScale = static_cast<float>(kTwipsPerMetre / 15.0); // a metre a pixel
        SetViewCentre(t, {c.width / 2.0, c.height / 2.0});
        std::mt19937 random(11);
        std::uniform_real_distribution<double> east(1, c.width - 1), north(1, c.height - 1);
        for (int32_t i = 0; i < c.points; ++i)
            t.addObsPoint(Obs(east(random), north(random)), "P" + std::to_string(i), "", "S", "B");
        MapFrame f;
        BuildMapFrame(t, f);
        EXPECT_EQ(f.points.size(), static_cast<size_t>(c.points)); // every symbol, labels or not
        EXPECT_EQ(f.labelledCount, c.points);
        EXPECT_EQ(f.labelsShown, c.labels);
    }
}
