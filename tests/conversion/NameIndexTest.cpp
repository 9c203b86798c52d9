#include "conversion/NameIndex.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrelo;

TEST(NameIndex, KeepsTheFirstValueOfEveryWholeName)
{
    NameIndex index;
    EXPECT_EQ(index.find("S1"), 0);
    EXPECT_FALSE(index.contains(""));
    EXPECT_TRUE(index.tryEmplace("S1", 7));
    EXPECT_FALSE(index.tryEmplace("S1", 9)); // the first value stays
    EXPECT_TRUE(index.tryEmplace("", 3));
    EXPECT_TRUE(index.tryEmplace("s1", 4)); // case counts
    EXPECT_TRUE(index.tryEmplace("S1 ", 5)); // so does a blank
    EXPECT_EQ(index.find("S1"), 7);
    EXPECT_EQ(index.find(""), 3);
    EXPECT_EQ(index.find("s1"), 4);
    EXPECT_EQ(index.find("S1 "), 5);
    EXPECT_EQ(index.find("S"), 0);
    EXPECT_EQ(index.size(), 4u);

    // Growing past its room (and a reserve on the way) loses nothing.
    NameIndex many;
    for (int i = 1; i <= 100000; ++i) {
        if (i == 500)
            many.reserve(20000);
        ASSERT_TRUE(many.tryEmplace("STATION_" + std::to_string(i), i));
    }
    for (int i = 1; i <= 100000; ++i)
        ASSERT_EQ(many.find("STATION_" + std::to_string(i)), i);
    EXPECT_FALSE(many.contains("STATION_0"));
    EXPECT_FALSE(many.contains("STATION_100001"));
}
