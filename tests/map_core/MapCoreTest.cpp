#include "map/core/MapTables.h"
#include "map/core/MapView.h"

#include <gtest/gtest.h>

using namespace tavrelo;

namespace {
MapStation Station(const std::string& name, double x = 0, double y = 0)
{
    MapStation s;
    s.name = name;
    s.X = x;
    s.Y = y;
    return s;
}
} // namespace

TEST(MapTables, FreshTablesAreEmptyWithEntryZero)
{
    MapTables t;
    EXPECT_EQ(t.StationCount(), 0);
    EXPECT_EQ(t.ObsPointCount(), 0);
    EXPECT_EQ(t.CooPointCount(), 0);
    EXPECT_EQ(t.PointNames.count(), 0);
    EXPECT_EQ(t.PointNames[0], "");
    EXPECT_EQ(t.MinX, 999999999.0);
    EXPECT_EQ(t.MaxX, -999999999.0);
}

TEST(MapTables, FindKnownPointComparesTrimmedWholeNames)
{
    MapTables t;
    t.addStation(Station("ST1  "));
    t.addStation(Station("CONTROLPOINT_NORTH"));
    t.addStation(Station("CONTROLPOINT_SOUTH"));
    t.addStation(Station("ST1"));
    const struct { const char* name; int32_t index; } rows[] = {
        {"ST1", 1}, {"CONTROLPOINT_SOUTH", 3}, {"CONTROLPOINT", 0}, {"st1", 0}, {"ST1 ", 0}, {"", 0}};
    for (const auto& r : rows)
        EXPECT_EQ(FindKnownPoint(t, r.name), r.index) << r.name;
    EXPECT_EQ(t.Stations[2].displayName(), "CONTROLPOINT");
    EXPECT_EQ(Station("A").displayName(), "A           ");
    EXPECT_EQ(Station("A").displayCode().size(), 16u);
}

TEST(MapTables, FindStationNameIsExact)
{
    MapTables t;
    t.addObsPoint({}, "ST1 ", "", "S", "B");
    t.addObsPoint({}, "st1", "", "S", "B");
    t.addObsPoint({}, "ST1", "", "S", "B");
    t.addObsPoint({}, "ST1", "", "S", "B");
    EXPECT_EQ(FindStationName(t, "ST1"), 3);
    EXPECT_EQ(FindStationName(t, "X"), 0);
    EXPECT_EQ(t.StationNames[4], "S");
    EXPECT_EQ(t.BacksightNames[2], "B");
}

TEST(NameList, SharesRepeatedNamesAndKeepsOrder)
{
    NameList list;
    // Names of every length: a long one needs more than one byte for its length.
    const std::string names[] = {"S1", "S1", "S2", "", "S2", std::string(300, 'x'), std::string(300, 'x'), "S1"};
    for (const std::string& n : names)
        list.push_back(n);
    ASSERT_EQ(list.count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(list[i + 1], names[i]);
    EXPECT_EQ(list[9], "");
    EXPECT_EQ(list[-1], "");
    list.clear();
    EXPECT_EQ(list.count(), 0);
}

TEST(MapTables, BuildersEmptyTheOtherTable)
{
    MapTables t;
    t.addStation(Station("A"));
    t.addObsPoint({}, "P", "", "A", "");
    t.CooPoints.push_back({1, 2, 3});
    t.clearForCoordinateList();
    EXPECT_EQ(t.StationCount(), 0);
    EXPECT_EQ(t.ObsPointCount(), 0);
    EXPECT_EQ(t.StationNames.count(), 0);
    EXPECT_EQ(t.CooPointCount(), 1);
    t.clearForCalculation(10, 10);
    EXPECT_EQ(t.CooPointCount(), 0);
    EXPECT_EQ(t.PointNames.count(), 0);
    EXPECT_EQ(t.VisibleIndexCount, 0); // the drawing pass sizes VisibleIndex
}

TEST(MapView, ScaleText)
{
    EXPECT_EQ(ScaleText(1234.56f), "1:1234.6");
    EXPECT_EQ(ScaleText(2500.0f), "1:2500.0");
}
