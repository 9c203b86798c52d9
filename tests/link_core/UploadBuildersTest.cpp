#include "link/core/UploadBuilders.h"
#include "link/core/UploadLine.h"
#include "platform/ByteSink.h"
#include "platform/FileSystem.h"

#include "../app/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/resource.h>

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
    // The cut leaves no blank at the end of a name or code.
    EXPECT_EQ(UploadLine("ABCDEFGHIJK LMN", "1", "2", "3", "CODE        X"), "ABCDEFGHIJK,1,2,3,CODE");
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

// A KOF coordinate record: point 5-14, code 16-23, A 25-36, B 38-48, elevation 50-57.
std::string KofRecord(const std::string& point, const std::string& code, const std::string& a,
                      const std::string& b, const std::string& elevation)
{
    const auto left = [](const std::string& text, size_t width) { return text + std::string(width - text.size(), ' '); };
    const auto right = [](const std::string& text, size_t width) { return std::string(width - text.size(), ' ') + text; };
    return " 05 " + left(point, 10) + " " + left(code, 8) + " " + right(a, 12) + " " + right(b, 11) + " "
           + right(elevation, 8);
}

// Every format that sends coordinates judges a value as it sends it: blanks and tabs
// trimmed, the decimal comma a point, then the number rule. A plane coordinate that is
// no number leaves the line out; an elevation that is none goes as 0.000.
TEST_F(UploadBuilders, ACoordinateIsJudgedAsItIsSent)
{
    const struct {
        const char* value;
        const char* asNorthing; // nullptr: the line is left out
        const char* asElevation;
    } cases[] = {
        {"\t100.5", "100.5", "100.5"},
        {"100.5\t", "100.5", "100.5"},
        {"\t", "0.000", "0.000"},
        {"0,5", "0.5", "0.5"},
        {",5", ".5", ".5"},
        {"\t,5", ".5", ".5"},
        {"1,5E400", nullptr, "0.000"},
        {"1e999", nullptr, "0.000"},
        {"North", nullptr, "0.000"},
    };
    for (const auto& c : cases) {
        const std::string v = c.value;
        for (const UploadKind kind : {UploadKind::Comma, UploadKind::Space, UploadKind::Kof}) {
            const char separator = kind == UploadKind::Space ? ' ' : ',';
            if (kind != UploadKind::Kof && v.find(separator) != std::string::npos)
                continue; // the list's own separator: no value of that list
            const auto list = [&](const std::string& north, const std::string& elevation) {
                if (kind == UploadKind::Kof)
                    return CrLf({KofRecord("P1", "C", "200", north, elevation).c_str()});
                const std::string s(1, separator);
                return CrLf({("P1" + s + north + s + "200" + s + elevation + s + "C").c_str()});
            };
            SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << ", value \"" << v << "\"");
            const std::string asNorthing = build(kind, list(v, "5"));
            if (c.asNorthing == nullptr) {
                EXPECT_EQ(asNorthing, "");
                EXPECT_EQ(result().leftOut, 1);
            } else {
                EXPECT_EQ(asNorthing, CrLf({("P1," + std::string(c.asNorthing) + ",200,5,C").c_str()}));
            }
            EXPECT_EQ(build(kind, list("100", v)),
                      CrLf({("P1,100,200," + std::string(c.asElevation) + ",C").c_str()}));
        }
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
    EXPECT_EQ(build(UploadKind::Kof, input),
              CrLf({"P100,600200.456,6500100.123,12.345,TREE", "P7,0.000,0.000,0.000,"}));
    EXPECT_EQ(result().LineCount, 4);
    EXPECT_EQ(build(UploadKind::Kof, input, UploadOptions{{{0, 1, 2, 3, 4}}, true}),
              CrLf({"P100,6500100.123,600200.456,12.345,TREE", "P7,0.000,0.000,0.000,"}));

    build(UploadKind::Kof, CrLf({" 00 Oppdrag", " 09_91"}));
    EXPECT_FALSE(result().hasLines());
    EXPECT_EQ(result().LineCount, 2);
}

TEST_F(UploadBuilders, KofRecordsKeepEveryFieldInPlace)
{
    // Columns: point 5-14, code 16-23, A 25-36, B 38-48, elevation 50-57; "NEZ" sends
    // B before A. An empty column is sent as "0.000", an empty point as "0".
    const struct {
        const char* record;
        const char* nez;
        const char* enz;
    } cases[] = {
        {" 05 P100       TREE                  600200.456    12.345", "P100,600200.456,0.000,12.345,TREE",
         "P100,0.000,600200.456,12.345,TREE"},
        {" 05 P100       TREE     6500100.123               12.345", "P100,0.000,6500100.123,12.345,TREE",
         "P100,6500100.123,0.000,12.345,TREE"},
        {" 05 P100       TREE     6500100.123  600200.456", "P100,600200.456,6500100.123,0.000,TREE",
         "P100,6500100.123,600200.456,0.000,TREE"},
        {" 05                     6500100.123  600200.456    12.345", "0,600200.456,6500100.123,12.345,",
         "0,6500100.123,600200.456,12.345,"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(UploadKind::Kof, CrLf({c.record})), CrLf({c.nez})) << c.record;
        EXPECT_EQ(build(UploadKind::Kof, CrLf({c.record}), UploadOptions{{{0, 1, 2, 3, 4}}, true}), CrLf({c.enz}))
            << c.record;
    }
}

TEST_F(UploadBuilders, AFileWithNoLineToSendIsSaidToBeSo)
{
    const struct {
        UploadKind kind;
        std::string input;
    } cases[] = {
        {UploadKind::Kof, CrLf({" 00 Oppdrag", " 05", " 05                                                 ", " 09_91"})},
        {UploadKind::Kof, CrLf({" 00 Oppdrag", " 09_91"})},
        {UploadKind::Comma, CrLf({"", "   "})},
        {UploadKind::Space, CrLf({"  ", ""})},
        {UploadKind::CodeList, CrLf({"", "    "})},
    };
    for (const auto& c : cases) {
        build(c.kind, c.input);
        EXPECT_EQ(result().lines, 0) << c.input;
        EXPECT_EQ(UploadBuildProblem(result(), "/data/job.txt"),
                  "Nothing to send: /data/job.txt holds no line for the instrument.")
            << c.input;
    }
    build(UploadKind::Comma, CrLf({"P1,1,2,3"}));
    EXPECT_EQ(UploadBuildProblem(result(), "/data/job.txt"), "");
}

TEST_F(UploadBuilders, AValueThatWouldAddAFieldIsRefused)
{
    const struct {
        UploadKind kind;
        std::string input;
        int64_t line;
    } cases[] = {
        {UploadKind::Space, CrLf({"P1 1 2 3 C", "P,1 100 200 5 C"}), 2}, // in a name
        {UploadKind::Space, CrLf({"P1 100 200 5 C,D"}), 1},              // in a code
        {UploadKind::Space, CrLf({"P1 1,2,3 200 5 C"}), 1},              // a second comma in a value
        {UploadKind::Kof, CrLf({" 05 P,1       TREE     6500100.123  600200.456    12.345"}), 1},
    };
    for (const auto& c : cases) {
        const std::string lines = build(c.kind, c.input);
        EXPECT_FALSE(result().ok()) << c.input;
        EXPECT_EQ(result().refusal, UploadRefusal::ExtraFields) << c.input;
        EXPECT_EQ(result().refusedLine, c.line) << c.input;
        const std::string problem = UploadBuildProblem(result(), "/data/job.txt");
        EXPECT_EQ(problem.rfind("Line " + std::to_string(c.line) + " of /data/job.txt gives more fields", 0), 0u)
            << problem;
        EXPECT_NE(problem.find("Nothing was sent."), std::string::npos) << problem;
    }
    EXPECT_NE(UploadBuildProblem(result(), "x").find(" 05 P,1       TREE"), std::string::npos);
    // A comma list cannot hold one: its commas are the separators.
    build(UploadKind::Comma, CrLf({"P1,1,2,3,C,D"}));
    EXPECT_TRUE(result().ok());
}

TEST_F(UploadBuilders, ALineLongerThanAnyRecordIsRefused)
{
    const std::string longest(kLongestSendFileLine, 'x');
    for (UploadKind kind : {UploadKind::Comma, UploadKind::Space, UploadKind::Kof, UploadKind::CodeList}) {
        build(kind, CrLf({"TREE", longest.c_str()}));
        EXPECT_EQ(result().refusal, UploadRefusal::None);
        build(kind, CrLf({"TREE", "ROAD", (longest + "y").c_str(), "POLE"}));
        EXPECT_EQ(result().refusal, UploadRefusal::LineTooLong);
        EXPECT_EQ(result().refusedLine, 3);
        EXPECT_EQ(UploadBuildProblem(result(), "/data/job.txt"),
                  "Line 3 of /data/job.txt is longer than the instrument can take (more than 512 characters).\r\n"
                  "Nothing was sent.");
    }
}

TEST(UploadBuildersInput, AHugeOneLineFileIsRefusedWithoutReadingItWhole)
{
    // 2 GB without a line end, sparse: it costs no disk, but read whole it would cost
    // gigabytes of memory and seconds.
    test::TempFolder folder;
    const std::string path = folder.file("huge.txt");
    { std::ofstream(path, std::ios::binary) << "P1,1,2,3,"; }
    std::filesystem::resize_file(path, 2'000'000'000);
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    for (UploadKind kind : {UploadKind::Comma, UploadKind::Kof, UploadKind::CodeList}) {
        const UploadBuild build = TryUploadFile(kind, path, {});
        EXPECT_EQ(build.refusal, UploadRefusal::LineTooLong);
        EXPECT_EQ(build.refusedLine, 1);
    }
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64L * 1024) << "kB more at the peak";
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
