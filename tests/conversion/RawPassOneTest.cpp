// The header pass of the coordinate calculator, read in blocks whose pieces threads
// count: the same facts however the file is cut.
#include "conversion/RawPassOne.h"
#include "map/core/NameList.h"

#include "CoordTestSupport.h"

#include <gtest/gtest.h>

using namespace tavrelo;
using namespace tavrelo::testing;

TEST(ReadRawHeader, SameFactsWhereverTheBlocksAreCut)
{
    TempFolder folder;
    const std::string raw = folder.file("header.raw");
    // Mixed line ends; the last coordinate record is on line 9, after observations.
    WriteBytes(raw, "CO,Angle Units: DEGREES\r\n"
                    "UP,K1,,2000.000,1000.000,100.000,BM\n"
                    "ST, K1 ,,K2,,1.500,0.0000,10.0000\r"
                    "SS,A,1.500,50.000,120.0000,90.0000,,X\r\n"
                    "\r\n"
                    "CP,LONG_POINT_NAME,,1.500,50.000,120.0000,90.0000,,CODE\n"
                    "CO,Coord Order: ENZ\r\n"
                    "F1,K2,1.500,100.000,30.0000,90.0000\r\n"
                    "MC,M1,,1.0,2.0,3.0,\r\n"
                    "CO,Angle Units: GONS\r\n"
                    "ST,S2,,K1,,1.4,1,2");
    const auto stored = [](size_t length) { return static_cast<int64_t>(NameList::StoredSize(length)); };
    for (const unsigned threads : {1u, 4u}) {
        for (const size_t blockBytes : {size_t(1), size_t(64), size_t(1) << 20}) {
            WorkerPool pool(threads);
            RawHeader h;
            ASSERT_TRUE(ReadRawHeader(raw, h, pool, blockBytes));
            const std::string where = std::to_string(threads) + " threads, blocks of " + std::to_string(blockBytes);
            EXPECT_EQ(h.records, 8) << where; // the blank line counts, the CO lines do not
            EXPECT_EQ(h.stationRecords, 2) << where;
            EXPECT_EQ(h.observations, 2) << where;
            EXPECT_EQ(h.coordinateRecords, 2) << where;
            EXPECT_EQ(h.lastCoordinateLine, 9) << where;
            EXPECT_TRUE(h.swapCoordinates) << where;
            EXPECT_EQ(h.angleUnitText, "GONS") << where; // the last unit line holds
            EXPECT_EQ(h.pointNameBytes, stored(1) + stored(15)) << where;
            EXPECT_EQ(h.pointCodeBytes, stored(1) + stored(4)) << where;
            EXPECT_EQ(h.stationNameBytes, stored(2) + stored(2)) << where;
            EXPECT_EQ(h.backsightNameBytes, stored(2) + stored(2)) << where;
            EXPECT_TRUE(h.stationNameFilter.mayContain("K1")) << where; // trimmed, as the calculator reads it
            EXPECT_TRUE(h.stationNameFilter.mayContain("S2")) << where;
        }
    }
    EXPECT_EQ(NameList::StoredSize(0), 1u);
    EXPECT_EQ(NameList::StoredSize(127), 128u);
    EXPECT_EQ(NameList::StoredSize(128), 130u);
}
