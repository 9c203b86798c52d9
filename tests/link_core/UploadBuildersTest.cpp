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

// What the build of one line gave: "sent" when the sink holds sentLine, "!" and the
// reason when the line was left out, else what the sink holds.
std::string Outcome(const std::string& lines, const UploadBuild& build, const std::string& sentLine)
{
    static const char* const kReasons[] = {"!number", "!blank", "!fields", "!tab", "!empty"};
    for (size_t reason = 0; reason < std::size(kReasons); ++reason)
        if (build.leftOutBy[reason].count == 1 && lines.empty())
            return kReasons[reason];
    return lines == sentLine ? "sent" : "got " + lines;
}

// Every format that sends coordinates judges a value as it sends it: blanks and tabs
// trimmed, the decimal comma a point, then the number rule; a blank or tab inside a
// value makes it no number. A plane coordinate that is no number leaves the line out;
// an elevation without any number goes as 0.000, one with a number split by a blank
// leaves the line out. A value that splits into one field more in a list leaves the
// line out too: it is never sent with its fields shifted.
TEST_F(UploadBuilders, ACoordinateIsJudgedAsItIsSent)
{
    struct AsSent {
        const char* northing; // the value sent, "!reason" when the line is left out,
        const char* elevation; // nullptr when the format cannot hold the value
    };
    const struct {
        const char* value;
        AsSent comma, blank, kof;
    } cases[] = {
        {"\t100.5", {"100.5", "100.5"}, {"100.5", "100.5"}, {"100.5", "100.5"}},
        {"100.5\t", {"100.5", "100.5"}, {"100.5", "100.5"}, {"100.5", "100.5"}},
        {"\t", {"0.000", "0.000"}, {nullptr, nullptr}, {"0.000", "0.000"}}, // blanks hold no empty value
        {"0,5", {"!fields", "!fields"}, {"0.5", "0.5"}, {"0.5", "0.5"}},
        {",5", {"!fields", "!fields"}, {".5", ".5"}, {".5", ".5"}},
        {"\t,5", {"!fields", "!fields"}, {".5", ".5"}, {".5", ".5"}},
        {"1,5E400", {"!fields", "!fields"}, {"!number", "0.000"}, {"!number", "0.000"}},
        {"1e999", {"!number", "0.000"}, {"!number", "0.000"}, {"!number", "0.000"}},
        {"North", {"!number", "0.000"}, {"!number", "0.000"}, {"!number", "0.000"}},
        {"North E", {"!number", "0.000"}, {"!fields", "!fields"}, {"!number", "0.000"}},
        {"100 ,5", {"!fields", "!fields"}, {"!fields", "!fields"}, {"!blank", "!blank"}},
        {"100 .5", {"!blank", "!blank"}, {"!fields", "!fields"}, {"!blank", "!blank"}},
        {"1 00", {"!blank", "!blank"}, {"!fields", "!fields"}, {"!blank", "!blank"}},
        {"100\t5", {"!blank", "!blank"}, {"!fields", "!fields"}, {"!blank", "!blank"}},
        {"5 C", {"!blank", "!blank"}, {"!fields", "!fields"}, {"!blank", "!blank"}},
    };
    for (const auto& c : cases) {
        const std::string v = c.value;
        for (const UploadKind kind : {UploadKind::Comma, UploadKind::Space, UploadKind::Kof}) {
            const AsSent& expected = kind == UploadKind::Comma ? c.comma : kind == UploadKind::Space ? c.blank : c.kof;
            if (expected.northing == nullptr)
                continue;
            const auto list = [&](const std::string& north, const std::string& elevation) {
                if (kind == UploadKind::Kof)
                    return CrLf({KofRecord("P1", "C", "200", north, elevation).c_str()});
                const std::string s = kind == UploadKind::Space ? " " : ",";
                return CrLf({("P1" + s + north + s + "200" + s + elevation + s + "C").c_str()});
            };
            SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << ", value \"" << v << "\"");
            const std::string north = expected.northing;
            std::string lines = build(kind, list(v, "5"));
            EXPECT_EQ(Outcome(lines, result(), CrLf({("P1," + north + ",200,5,C").c_str()})),
                      north[0] == '!' ? north : "sent");
            const std::string elevation = expected.elevation;
            lines = build(kind, list("100", v));
            EXPECT_EQ(Outcome(lines, result(), CrLf({("P1,100,200," + elevation + ",C").c_str()})),
                      elevation[0] == '!' ? elevation : "sent");
        }
    }
}

// A tab separates fields in a blank-separated list; in a comma list and KOF it is
// trimmed at the edge of a field like a blank, and inside a name or code it leaves the
// line out. No tab ever goes to the instrument, and no line goes with its fields moved.
TEST_F(UploadBuilders, TabsSeparateInBlankListsAndNeverReachTheInstrument)
{
    const struct {
        UploadKind kind;
        std::string line;
        const char* sent; // "!reason" when the line is left out
    } cases[] = {
        {UploadKind::Space, "P1\t6500100.5\t600200.25\t12.5\tKUM", "P1,6500100.5,600200.25,12.5,KUM"},
        {UploadKind::Space, "  P1 \t 100\t 200 \t5\tC", "P1,100,200,5,C"},
        {UploadKind::Space, "P1\t100\t200\t5\tC\t\t", "P1,100,200,5,C"},
        {UploadKind::Space, "P1\t100\t200\t\t", "P1,100,200,0.000,"},
        {UploadKind::Space, "P1\t\t600200.25\t12.5\tKUM", "!empty"}, // the northing empty
        {UploadKind::Space, "P1\t100\t \t12.5\tKUM", "!empty"},
        {UploadKind::Space, "\tP1\t100\t200", "!empty"}, // the point empty
        {UploadKind::Space, "P1\t100\t200\t5\tROAD EDGE", "!fields"},
        {UploadKind::Space, "\t \t", ""}, // a blank line
        {UploadKind::Comma, "P1\t,\t100\t,200,5,\tKUM\t", "P1,100,200,5,KUM"},
        {UploadKind::Comma, "P1,100,200,5,C,\t,", "P1,100,200,5,C"},
        {UploadKind::Comma, "\t,100,200", "0,100,200,0.000,"},
        {UploadKind::Comma, "P1\t6500100.5\t600200.25\t12.5\tKUM", "!tab"}, // all in the point
        {UploadKind::Comma, "P1\tX,100,200,5,C", "!tab"},
        {UploadKind::Comma, "P1,100,200,5,RO\tAD", "!tab"},
        {UploadKind::Comma, "\t\t", ""},
        {UploadKind::Kof, KofRecord("P1\tX", "TREE", "6500100.5", "600200.25", "12.5"), "!tab"},
        {UploadKind::Kof, KofRecord("\tP1", "TREE\t", "6500100.5", "600200.25", "12.5"),
         "P1,600200.25,6500100.5,12.5,TREE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.kind) << ", line \"" << c.line << "\"");
        const std::string sent = c.sent;
        const std::string lines = build(c.kind, CrLf({c.line.c_str()}));
        if (sent.empty()) {
            EXPECT_EQ(lines, "");
            EXPECT_EQ(result().leftOut, 0);
        } else {
            EXPECT_EQ(Outcome(lines, result(), CrLf({c.sent})), sent[0] == '!' ? sent : "sent");
        }
        EXPECT_EQ(lines.find('\t'), std::string::npos);
    }
}

// The lines left out are told by reason, each with the first line it left out; a
// heading line as every coordinate list reader tells it.
TEST_F(UploadBuilders, TheLinesLeftOutAreToldByReason)
{
    build(UploadKind::Space, CrLf({"Name North East Height Code", "P1 100 ,5 200 5 C", "P2 100 200 5 C",
                                   "P3\t\t200\t5\tC", "P4 100 ,5 200 5 C", "P5 100 200 5 C"}));
    EXPECT_EQ(result().lines, 2);
    EXPECT_EQ(result().leftOut, 4);
    EXPECT_EQ(UploadLeftOutText(result()),
              "1 line(s) were left out because their coordinates hold text that is not a number (a heading line, for"
              " example).\r\n"
              "2 line(s) were left out because they hold more than the five fields of a point (a value or a code"
              " split by a blank, for example); the first is line 2.\r\n"
              "1 line(s) were left out because an empty field stands between two tabs (or before the first), and"
              " the fields after it would move; the first is line 4.");
    build(UploadKind::Comma, CrLf({"P1,100 5,200", "P2\tX,1,2", "P3,1,2"}));
    EXPECT_EQ(UploadLeftOutText(result()),
              "1 line(s) were left out because a coordinate holds a blank or a tab inside it (such as \"100 ,5\"),"
              " which makes it no number; the first is line 1.\r\n"
              "1 line(s) were left out because a point name or a code holds a tab; the first is line 2.");
    build(UploadKind::Comma, CrLf({"P3,1,2"}));
    EXPECT_EQ(UploadLeftOutText(result()), "");
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
    const std::string input = CrLf({" 00 Oppdrag", record.c_str(), " 09_91", " 05 P7"});
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

    // A list whose only point an append marked cut short says why nothing goes.
    build(UploadKind::Comma, CrLf({"CO,Cut short: P7,6500100.5,6002"}));
    EXPECT_EQ(UploadBuildProblem(result(), "/data/job.txt"),
              "Nothing to send: /data/job.txt holds no line for the instrument.\r\n1 record(s) marked \"Cut short:\""
              " were left out, the first at line 1: each was the last line of the file, cut off, when more data was"
              " appended after it.");
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
    // A comma list cannot hold one: its commas are the separators, and a line of more
    // fields than a point's five is left out.
    EXPECT_EQ(build(UploadKind::Comma, CrLf({"P1,1,2,3,C,D", "P2,1,2,3,C"})), CrLf({"P2,1,2,3,C"}));
    EXPECT_TRUE(result().ok());
    EXPECT_EQ(result().leftOutBy[static_cast<size_t>(LeftOutReason::TooManyFields)].count, 1);
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
