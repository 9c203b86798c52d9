#include "conversion/LineSplitting.h"

#include <gtest/gtest.h>

using namespace tavrelo;

namespace {
std::vector<std::string> all(const Fields& f)
{
    std::vector<std::string> out;
    for (int i = 1; i <= f.count(); ++i)
        out.push_back(f[i]);
    return out;
}
} // namespace

TEST(SplitComma, FieldsAsTheConvertersReadThem)
{
    const struct { std::string line; std::vector<std::string> fields; } cases[] = {
        {"SS,P1,1.500,123.456,100.0000,90.0000,,TREE", {"SS", "P1", "1.500", "123.456", "100.0000", "90.0000", "", "TREE"}},
        {"  ST,S1, B1  ", {"ST", "S1", " B1"}},           // the remainder keeps its leading blank
        {"A , B ,", {"A", "B"}},                           // a trailing comma adds no field
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13,14"}},
        // The twelfth comma amid a run of 16 bytes searched at once, more commas after it.
        {"a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m,n,o,p,q"}},
        {"SS ,  A_LONG_POINT_NAME_OF_THIRTY  ,1.5,  2,3", {"SS", "A_LONG_POINT_NAME_OF_THIRTY", "1.5", "2", "3"}},
    };
    for (const auto& c : cases) {
        std::string line = c.line;
        Fields f;
        EXPECT_EQ(SplitComma(line, f), static_cast<int>(c.fields.size())) << c.line;
        EXPECT_EQ(all(f), c.fields) << c.line;
        // The views give the same fields without copying them.
        FieldViews views;
        ASSERT_EQ(SplitComma(std::string_view(c.line), views), static_cast<int>(c.fields.size())) << c.line;
        for (int n = 1; n <= views.count(); ++n)
            EXPECT_EQ(views[n], c.fields[n - 1]) << c.line;
        EXPECT_EQ(views[views.count() + 1], "");
    }
}

TEST(SplitComma, BlankLineLeavesTheFields)
{
    Fields f;
    std::string line = "CO,x";
    SplitComma(line, f);
    std::string blank = "   ";
    EXPECT_EQ(SplitComma(blank, f), 0);
    EXPECT_EQ(f[2], "x");
    EXPECT_EQ(f[40], "");
}

TEST(SplitSpaceAndSeparator, RunsOfBlanksAndTrimmedFields)
{
    Fields f;
    std::string spaced = "  P1  100.0   200.5 ";
    EXPECT_EQ(SplitSpace(spaced, f), 3);
    EXPECT_EQ(all(f), (std::vector<std::string>{"P1", "100.0", "200.5"}));
    std::string many = "1 2 3 4 5 6 7 8 9 10 11";
    EXPECT_EQ(SplitSpace(many, f), 11); // no fixed array behind the fields
    std::string comma = "A, B ,C";
    EXPECT_EQ(SplitBySeparator(comma, f, ","), 3);
    EXPECT_EQ(all(f), (std::vector<std::string>{"A", "B", "C"}));
    std::string blanks = "P1   10   20";
    EXPECT_EQ(SplitBySeparator(blanks, f, " "), 3);
    EXPECT_EQ(f[3], "20");
    EXPECT_EQ(GetFileNameOnly("  C:\\data\\job.raw "), "job.raw");
    EXPECT_EQ(GetFileNameOnly("/home/s/job.raw"), "job.raw");
}
