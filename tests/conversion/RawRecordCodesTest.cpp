// A line's record code is its first field as the split gives it, read where it stands.
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordCodes.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrelo;

TEST(RawRecordCodes, ALinesCodeIsItsFirstFieldAsTheSplitGivesIt)
{
    for (const std::string line : {"SS,P1,1.5", "  ST  ,S1", "SS", "SS  ", " F2", "UC,", "S ,x", "S,x", "SSS,x",
                                   "SS\t,x", "CO,Coord Order: ENZ", "CO", ",SS", "", "   ", "S", "  MC,,1,2,3"}) {
        FieldViews fields;
        SplitComma(line, fields);
        EXPECT_EQ(FindRawRecordOfLine(line), FindRawRecord(fields[1])) << '"' << line << '"';
    }
    EXPECT_EQ(FindRawRecordOfLine(" SS ,P1")->kind, RawKind::SideShot);
    EXPECT_EQ(FindRawRecordOfLine("UC,K1")->kind, RawKind::MoreCoordinates);
}
