#include "conversion/ConverterRegistry.h"
#include "conversion/CoordinateFieldOptions.h"
#include "conversion/CoordinateListWriters.h"

#include "CoordTestSupport.h"

#include <gtest/gtest.h>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

struct ListCase {
    const char* what;
    const char* converter;
    std::string input;
    std::array<int, 5> order;
    int separator;
    int coordinateOrder;
    std::string expected;
};

const ListCase kCases[] = {
    {"coordinate file, E N swapped by the field order", "ConvertCoorToUserCoor",
     "P1,1000.000,2000.000,50.000,TREE\r\n", {0, 2, 1, 3, 4}, 0, 0, "P1,2000.000,1000.000,50.000,TREE\r\n"},
    {"coordinate file under ENZ", "ConvertCoorToUserCoor", "P1,1000.000,2000.000,50.000,TREE\r\n",
     {0, 2, 1, 3, 4}, 0, 1, "P1,1000.000,2000.000,50.000,TREE\r\n"},
    {"name only", "ConvertCoorToUserCoor", "P1\r\n\r\n  \r\n", {0, 1, 2, 3, 4}, 0, 0, "P1,,,,\r\n"},
    {"Nothing None Ignore empty", "ConvertCoorToUserCoor", "P1,1,2,3,C\nP2,4,5,6,D\n", {5, 6, 7, 0, 4}, 0, 0,
     ",,,P1,C\r\n,,,P2,D\r\n"},
    {"text copied as read", "ConvertCoorToUserCoor", "P1,1234.5670,2,3\r", {0, 1, 2, 3, 4}, 1, 0,
     "P1 1234.5670 2 3 \r\n"},
    {"raw with only four fields", "ConvertRawToCoorComma", "UP,P7,,100.0\r\n", {0, 1, 2, 3, 4}, 0, 0, ""},
    {"raw after ENZ", "ConvertRawToCoorComma",
     "UP,P6,,1.0,2.0,3.0\r\nCO,Coord Order: ENZ\r\nUP,P7,,100.0,200.0,5.0,BM\r\nSS,X,1,2,3,4\r\n", {0, 1, 2, 3, 4},
     0, 0, "P6,1.0,2.0,3.0,\r\nP7,200.0,100.0,5.0,BM\r\n"},
    {"raw blank-separated, empty code", "ConvertRawToCoorSpace", "MP,M1,,1.0,2.0,3.0\r\nRE,R1,,4,5,6,X\r\n",
     {0, 1, 2, 3, 4}, 0, 0, "M1 1.0 2.0 3.0 \r\nR1 4 5 6 X\r\n"},
    {"raw other codes skipped", "ConvertRawToCoorSpace", "UC,U1,,1,2,3\r\nMC,M,,1,2,3\r\nCC,C1,,7,8,9\r\n",
     {0, 1, 2, 3, 4}, 0, 0, "C1 7 8 9 \r\n"},
};

} // namespace

TEST(CoordinateListWriters, TableOfCases)
{
    for (const ListCase& c : kCases) {
        TempFolder folder;
        ContextHarness h;
        CoordinateFieldOptions options;
        options.field = c.order;
        options.separator = c.separator;
        h.context.coordinateFields = &options;
        h.context.coordinateOrder = c.coordinateOrder;
        WriteBytes(folder.file("in.txt"), c.input);
        const ConverterEntry* entry = FindConverter(c.converter);
        ASSERT_NE(entry, nullptr) << c.converter;
        entry->run(h.context, folder.file("in.txt"), folder.file("out.txt"));
        EXPECT_EQ(ReadBytes(folder.file("out.txt")), c.expected) << c.what;
        // A run without one line to write has no result (the target is not created).
        EXPECT_EQ(h.state.TransferStatus, c.expected[0] ? "OK" : "E") << c.what;
        EXPECT_FALSE(h.ui.busy) << c.what;
    }
}

TEST(CoordinateListWriters, FailuresAreReportedAndLeaveTheTarget)
{
    for (const char* name : {"ConvertCoorToUserCoor", "ConvertRawToCoorComma", "ConvertRawToCoorSpace"}) {
        TempFolder folder;
        ContextHarness h;
        const std::string out = folder.file("out.txt");
        WriteBytes(out, "old");
        FindConverter(name)->run(h.context, folder.file("missing.txt"), out);
        EXPECT_EQ(h.state.TransferStatus, "E") << name;
        EXPECT_EQ(ReadBytes(out), "old") << name;
        EXPECT_EQ(h.ui.beeps, 1) << name;
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0].title, "Error");
        FindConverter(name)->run(h.context, out, folder.path() + "/../" + folder.path().substr(5) + "/out.txt");
        EXPECT_EQ(h.state.TransferStatus, "E") << name;
        EXPECT_EQ(ReadBytes(out), "old") << name;
        // A folder as output cannot be written.
        WriteBytes(folder.file("in.txt"), "UP,P,,1,2,3\r\n");
        FindConverter(name)->run(h.context, folder.file("in.txt"), folder.path());
        EXPECT_EQ(h.state.TransferStatus, "E") << name;
    }
}

TEST(CoordinateListWriters, AppendMode)
{
    TempFolder folder;
    ContextHarness h;
    h.state.OutputFileMode = 1;
    WriteBytes(folder.file("out.txt"), "A,1,2,3,\r\n");
    WriteBytes(folder.file("in.txt"), "B,4,5,6\r\n");
    ConvertCoorToUserCoor(h.context, folder.file("in.txt"), folder.file("out.txt"));
    EXPECT_EQ(ReadBytes(folder.file("out.txt")), "A,1,2,3,\r\nB,4,5,6,\r\n");
}

TEST(CoordinateListWriters, EmptyNamesLeaveTheResultWord)
{
    // The coordinate-file copy leaves everything as it found it; the raw-data twins
    // start their run with "E" before they look at the names.
    const struct { const char* name; const char* status; } cases[] = {
        {"ConvertCoorToUserCoor", "before"}, {"ConvertRawToCoorComma", "E"}, {"ConvertRawToCoorSpace", "E"}};
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder.file("in.txt"), "P,1,2,3\r\n");
        for (const auto& names : {std::pair<std::string, std::string>{"", folder.file("out.txt")},
                                  std::pair<std::string, std::string>{folder.file("in.txt"), ""}}) {
            ContextHarness h;
            h.state.TransferStatus = "before";
            FindConverter(c.name)->run(h.context, names.first, names.second);
            EXPECT_EQ(h.state.TransferStatus, c.status) << c.name;
            EXPECT_TRUE(h.ui.messages.empty()) << c.name;
        }
        EXPECT_FALSE(Exists(folder.file("out.txt"))) << c.name;
    }
}
