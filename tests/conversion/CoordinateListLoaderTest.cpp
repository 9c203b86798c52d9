// The map's coordinate-list loader: fields, the coordinate order, replacement of
// what the map showed, and the files that give no map.
#include "conversion/CoordinateListLoader.h"
#include "map/core/MapTables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace tavrelo;

namespace {

std::string WriteList(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Tables showing an earlier calculation: one station and one observed point.
MapTables Earlier()
{
    MapTables t;
    t.layers.setDialogDefaults();
    MapStation s;
    s.name = "S1";
    t.addStation(s);
    MapObsPoint p;
    p.X = 10, p.Y = 20;
    t.addObsPoint(p, "OLD", "", "S1", "B");
    t.widenExtents(0, 0);
    t.widenExtents(10, 20);
    FitViewToData(t);
    return t;
}

} // namespace

TEST(CoordinateListLoader, FieldsExtentsAndCentre)
{
    MapTables t = Earlier();
    int error = 0;
    const std::string file = WriteList("list.asc", "P1,200.0,100.0,50.0,TREE,\r\n\r\nP2,400.0,300.0,52.5,,\r\n"
                                                   "P3,10,20,30\r\nP4,10,20\r\nName,North,East,Height,Code\r\n");
    ASSERT_EQ(LoadCoordinateList(t, file, 0, error), ListLoad::Loaded);
    ASSERT_EQ(t.CooPointCount(), 4); // P4 without a height too
    EXPECT_EQ(t.PointNames[4], "P4");
    EXPECT_EQ(t.CooPoints[4].H, 0.0f);
    EXPECT_EQ(t.StationCount(), 0); // only the list's points are on the map
    EXPECT_EQ(t.ObsPointCount(), 0);
    EXPECT_EQ(t.PointNames[1], "P1");
    EXPECT_EQ(t.PointCodes[1], "TREE");
    EXPECT_EQ(t.PointCodes[2], "");
    EXPECT_EQ(t.PointCodes[3], "");
    EXPECT_EQ(t.CooPoints[2].X, 400.0); // NEZ: northing first, into the tables' X
    EXPECT_EQ(t.CooPoints[2].Y, 300.0);
    EXPECT_EQ(t.CooPoints[2].H, 52.5);
    EXPECT_EQ(t.MinX, 10);
    EXPECT_EQ(t.MaxX, 400);
    EXPECT_EQ(t.ViewCentreX, 205);
    EXPECT_GT(t.view.MapScale, 0.0f);
    EXPECT_TRUE(t.layers.layerOn(3)); // the switches survive a load

    ASSERT_EQ(LoadCoordinateList(t, file, 1, error), ListLoad::Loaded); // ENZ: easting first
    EXPECT_EQ(t.CooPoints[2].X, 300.0);
    EXPECT_EQ(t.CooPoints[2].Y, 400.0);
}

TEST(CoordinateListLoader, DegenerateFiles)
{
    struct Case {
        const char* name;
        const char* text; // nullptr: no such file
        ListLoad outcome;
        int points;       // CooPointCount afterwards (0: the earlier data stayed)
    };
    const Case cases[] = {
        {"one point", "P1,100,200,10,X\r\n", ListLoad::Loaded, 1},
        {"all at one place", "P1,100,200,10\r\nP2,100,200,11\r\nP3,100,200,12\r\n", ListLoad::Loaded, 3},
        {"no valid point", "a,b\r\n\r\nName,North,East,Height\r\n", ListLoad::NoData, 0},
        {"empty file", "", ListLoad::NoData, 0},
        {"missing file", nullptr, ListLoad::Unreadable, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapTables t = Earlier();
        const float scale = t.view.MapScale;
        const double left = t.view.ViewLeftX;
        const std::string file = c.text ? WriteList("degenerate.asc", c.text) : ::testing::TempDir() + "none.asc";
        int error = 0;
        EXPECT_EQ(LoadCoordinateList(t, file, 0, error), c.outcome);
        EXPECT_EQ(t.CooPointCount(), c.points);
        if (c.points == 0) { // nothing changed
            EXPECT_EQ(t.ObsPointCount(), 1);
            EXPECT_EQ(t.view.MapScale, scale);
            EXPECT_EQ(t.view.ViewLeftX, left);
        } else {
            EXPECT_EQ(t.ObsPointCount(), 0);
            EXPECT_GE(t.view.MapScale, 0.01f); // never a zero scale
            EXPECT_TRUE(t.view.drawable());
        }
        EXPECT_EQ(error, c.outcome == ListLoad::Unreadable ? 53 : 0);
    }
}

TEST(CoordinateListLoader, LinesWhoseCoordinatesHoldNoNumberAreNoPoints)
{
    // Each text line between two points; none may pull the view to the origin.
    const char* const textLines[] = {"P,.,.,1", "P,-,+,1", "Name,North,East,Height,Code", "P,100,East,1",
                                     "P,,200,1", "P,1e999,200,1", "P,100,-1e400,1"};
    for (const char* text : textLines) {
        SCOPED_TRACE(text);
        MapTables t = Earlier();
        int error = 0;
        const std::string file =
            WriteList("text.asc", std::string("P1,100,200,5\r\n") + text + "\r\nP2,300,400,,\r\n");
        ASSERT_EQ(LoadCoordinateList(t, file, 0, error), ListLoad::Loaded);
        EXPECT_EQ(t.CooPointCount(), 2);
        EXPECT_EQ(t.MinX, 100);
        EXPECT_EQ(t.MinY, 200);
        EXPECT_EQ(t.CooPoints[2].H, 0.0f); // an empty elevation is 0, the point stays
    }

    // Only the plane coordinates decide: a list without heights, its code where the
    // elevation would be (as the user-ordered coordinate writer puts it), gives points.
    MapTables t = Earlier();
    int error = 0;
    const std::string file = WriteList("codes.asc", "P1,6500100.5,600200.25,TREE\r\nP2,6500000,600000,Height\r\n");
    ASSERT_EQ(LoadCoordinateList(t, file, 0, error), ListLoad::Loaded);
    ASSERT_EQ(t.CooPointCount(), 2);
    EXPECT_EQ(t.CooPoints[1].X, 6500100.5f);
    EXPECT_EQ(t.CooPoints[1].Y, 600200.25f);
    EXPECT_EQ(t.CooPoints[1].H, 0.0f); // the text reads as 0
    EXPECT_EQ(t.PointNames[2], "P2");

    // A list that ends after the plane coordinates: every line a point at elevation 0.
    MapTables flat = Earlier();
    const std::string flatFile = WriteList("flat.asc", "P1,6500100,600200\r\nP2,6500110.000,600210.000\r\n");
    ASSERT_EQ(LoadCoordinateList(flat, flatFile, 0, error), ListLoad::Loaded);
    ASSERT_EQ(flat.CooPointCount(), 2);
    EXPECT_EQ(flat.CooPoints[2].X, 6500110.0f);
    EXPECT_EQ(flat.CooPoints[2].Y, 600210.0f);
    EXPECT_EQ(flat.CooPoints[2].H, 0.0f);
    EXPECT_EQ(flat.PointCodes[2], "");
}
