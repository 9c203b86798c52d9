#include "link/core/UploadBuilders.h"
#include "link/core/UploadLine.h"
#include "platform/ByteSink.h"
#include "platform/FileSystem.h"

#include "../app/TempFolder.h"

#include <gtest/gtest.h>

namespace tavrelo {
namespace {

using test::CrLf;

class UploadBuilders : public ::testing::Test {
protected:
    // The builder's lines for an input file holding `input`.
    std::string build(UploadKind kind, const std::string& input, UploadOptions options = {})
    {
        const std::string path = m_folder.file("input.txt");
        EXPECT_EQ(WriteFileAtomically(path, input), 0);
        StringSink out;
        m_build = BuildUploadFile(kind, path, out, options);
        return out.bytes();
    }
    const UploadBuild& result() const { return m_build; }

private:
    test::TempFolder m_folder;
    UploadBuild m_build;
};

TEST(UploadLine, CutsNamesAndCodesAndMendsDecimalCommas)
{
    EXPECT_EQ(UploadLine("P12", "1000.000", "2000.000", "50.000", "TREE"), "P12,1000.000,2000.000,50.000,TREE");
    EXPECT_EQ(UploadLine("  ABCDEFGHIJKLMNO ", "1", "2", "3", "CODE4567890123456789"),
              "ABCDEFGHIJKL,1,2,3,CODE45678901");
    EXPECT_EQ(UploadLine("P1", "1234,567", "1,2,3", "5", ""), "P1,1234.567,1.2,3,5,");
    EXPECT_EQ(UploadLine("P1", "", "2", "", "C"), "P1,2,C");
}

TEST(UploadLine, RecordMarkedZIsNotWritten)
{
    StringSink out;
    PutUpLoadLine(out, "Z", "P1", "1", "2", "3", "C");
    EXPECT_EQ(out.bytes(), "");
    PutUpLoadLine(out, "G", "P1", "1", "2", "3", "C");
    EXPECT_EQ(out.bytes(), "P1,1,2,3,C\r\n");
}

struct CoordinateCase {
    const char* name;
    UploadKind kind;
    std::string input;
    std::array<int, 5> order;
    bool eastingFirst;
    std::string expected;
};

TEST_F(UploadBuilders, CoordinateListsFollowTheFieldOrder)
{
    const std::array<int, 5> plain{{0, 1, 2, 3, 4}};
    // Input fields northing, easting, point: combo k names the role of field k + 1.
    const std::array<int, 5> rotated{{1, 2, 0, 3, 4}};
    const std::array<int, 5> twice{{0, 1, 1, 3, 4}};
    const CoordinateCase cases[] = {
        {"comma default", UploadKind::Comma, CrLf({"P1,100,200,5,C"}), plain, false, CrLf({"P1,100,200,5,C"})},
        {"comma ENZ", UploadKind::Comma, CrLf({"P1,100,200,5,C"}), plain, true, CrLf({"P1,200,100,5,C"})},
        {"blank default", UploadKind::Space, CrLf({"P1  100 200 5 C"}), plain, false, CrLf({"P1,100,200,5,C"})},
        {"comma rotated", UploadKind::Comma, CrLf({"100,200,P1,5,C"}), rotated, false, CrLf({"P1,100,200,5,C"})},
        {"blank rotated", UploadKind::Space, CrLf({"100 200 P1 5 C"}), rotated, false, CrLf({"P1,100,200,5,C"})},
        {"later combo wins", UploadKind::Comma, CrLf({"P1,100,200,5,C"}), twice, false, CrLf({"P1,200,0.000,5,C"})},
        {"ignored fields", UploadKind::Comma, CrLf({"P1,100,200,5,C"}), {{0, 5, 6, 3, 4}}, false,
         CrLf({"P1,0.000,0.000,5,C"})},
        {"missing values", UploadKind::Comma, CrLf({",,,,"}), plain, false, CrLf({"0,0.000,0.000,0.000,"})},
        {"decimal comma", UploadKind::Space, CrLf({"P1 1234,567 2,5 7"}), plain, false,
         CrLf({"P1,1234.567,2.5,7,"})},
        {"blank lines skipped", UploadKind::Comma, CrLf({"", "P1,1,2,3", "   ", "P2,4,5,6", ""}), plain, false,
         CrLf({"P1,1,2,3,", "P2,4,5,6,"})},
    };
    for (const CoordinateCase& c : cases) {
        EXPECT_EQ(build(c.kind, c.input, UploadOptions{c.order, c.eastingFirst}), c.expected) << c.name;
    }
}

TEST_F(UploadBuilders, CoordinateCountsAreTheRecordsAndTwo)
{
    build(UploadKind::Comma, "");
    EXPECT_EQ(result().lines, 0);
    EXPECT_EQ(result().LineCount, 2);
    EXPECT_FALSE(result().hasLines());

    build(UploadKind::Space, CrLf({"", "  "}));
    EXPECT_FALSE(result().hasLines());

    build(UploadKind::Comma, "P1,1,2,3"); // no line end on the last line
    EXPECT_EQ(result().lines, 1);
    EXPECT_EQ(result().LineCount, 3);
    EXPECT_TRUE(result().hasLines());
}

TEST_F(UploadBuilders, LongListsAreCountedPast16Bits)
{
    std::string input;
    for (int i = 0; i < 40000; ++i)
        input += "P" + std::to_string(i) + ",1,2,3\r\n";
    build(UploadKind::Comma, input);
    EXPECT_EQ(result().lines, 40000);
    EXPECT_EQ(result().LineCount, 40002);
}

TEST_F(UploadBuilders, KofSendsTheCoordinateRecordsOnly)
{
    // Columns: point 5-14, code 16-23, A 25-36, B 38-48, elevation 50-57.
    const std::string record = " 05 P100       TREE     6500100.123  600200.456    12.345";
    const std::string input = CrLf({" 00 Oppdrag", record.c_str(), " 09_91"}) + " 05 P7";
    EXPECT_EQ(build(UploadKind::Kof, input), CrLf({"P100,600200.456,6500100.123,12.345,TREE", "P7,"}));
    EXPECT_EQ(result().LineCount, 4);
    EXPECT_EQ(build(UploadKind::Kof, input, UploadOptions{{{0, 1, 2, 3, 4}}, true}),
              CrLf({"P100,6500100.123,600200.456,12.345,TREE", "P7,"}));

    build(UploadKind::Kof, CrLf({" 00 Oppdrag", " 09_91"}));
    EXPECT_FALSE(result().hasLines());
    EXPECT_EQ(result().LineCount, 2);
}

TEST_F(UploadBuilders, CodeListsOfAnyLengthAreSentAsTheyStand)
{
    EXPECT_EQ(build(UploadKind::CodeList, CrLf({"TREE"})), CrLf({"TREE"}));
    EXPECT_TRUE(result().hasLines());
    EXPECT_EQ(build(UploadKind::CodeList, CrLf({"TREE", " ROAD EDGE "})), CrLf({"TREE", " ROAD EDGE "}));
    EXPECT_EQ(result().lines, 2);

    // The new-file template: its blank line is carried but not sent.
    build(UploadKind::CodeList, CrLf({"DEFAULT", "{", "", "}"}));
    EXPECT_EQ(result().lines, 3);
    EXPECT_EQ(result().LineCount, 4);

    build(UploadKind::CodeList, CrLf({"", " "}));
    EXPECT_FALSE(result().hasLines());
}

TEST(UploadBuildersInput, MissingInputIsAFailure)
{
    StringSink out;
    const UploadBuild build = BuildUploadFile(UploadKind::Comma, "/nonexistent/list.txt", out, {});
    EXPECT_FALSE(build.ok());
    EXPECT_FALSE(build.hasLines());
    EXPECT_EQ(out.bytes(), "");
}

TEST(UploadBuildersInput, RequestWords)
{
    UploadKind kind{};
    EXPECT_TRUE(UploadKindOfRequest("Space", kind));
    EXPECT_EQ(kind, UploadKind::Space);
    EXPECT_TRUE(UploadKindOfRequest("UpLoadZVK", kind));
    EXPECT_EQ(kind, UploadKind::CodeList);
    EXPECT_FALSE(UploadKindOfRequest("UpLoadCoord", kind));
}

} // namespace
} // namespace tavrelo
