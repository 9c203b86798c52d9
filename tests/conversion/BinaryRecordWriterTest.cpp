#include "CoordTestSupport.h"
#include "WriterTestSupport.h"

#include "conversion/BinaryRecordWriter.h"
#include "conversion/ConverterRegistry.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

struct RecordRun : ContextHarness {
    TempFolder folder;
    std::string out = folder.file("records.bin");
    void convert(const std::string& input) { ConvertRawToRecordFile(context, input, out); }
};

} // namespace

TEST(BinaryRecordWriter, StationsBacksightsAndSideShotsAsHex)
{
    RecordRun run;
    run.convert(Fixture("bin_survey.raw"));
    EXPECT_EQ(run.state.TransferStatus, "OK");
    EXPECT_EQ(HexDump(ReadBytes(run.out), kBinaryRecordSize), ReadBytes(Fixture("bin_survey_expected.hex")));
}

TEST(BinaryRecordWriter, BacksightRecordRules)
{
    const std::string station = "53 31 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 00 00 00 00 91 92\n";
    const std::string backsight = "42 31 20 20 20 20 20 20 00 00 00 00 00 00 80 3f 00 00 00 40 00 00 00 00\n";
    const std::string shotP1 = "50 31 20 20 20 20 20 20 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n";
    const std::string shotB1 = "42 31 20 20 20 20 20 20 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n";
    const struct { const char* what; const char* raw; std::string hex; } cases[] = {
        {"first shot to another point", "ST,S1,,B1,,,1,2\r\nSS,P1,,,,\r\n", station + backsight + shotP1},
        {"first shot to the backsight", "ST,S1,,B1,,,1,2\r\nSS,B1,,,,\r\n", station + shotB1},
        {"other records keep it pending", "ST,S1,,B1,,,1,2\r\nF1,B1\r\nCO,x\r\nSS,P1,,,,\r\n",
         station + backsight + shotP1},
        {"a station without shots", "ST,S1,,B1,,,1,2\r\n", station},
        {"the next station drops it", "ST,S1,,B1,,,1,2\r\nST,S1,,,,,,\r\nSS,P1,,,,\r\n", station + station + shotP1},
        {"no backsight, no record", "ST,S1,,,,,,\r\nSS,P1,,,,\r\nSS,B1,,,,\r\n", station + shotP1 + shotB1},
    };
    for (const auto& c : cases) {
        RecordRun run;
        WriteBytes(run.folder.file("in.raw"), c.raw);
        run.convert(run.folder.file("in.raw"));
        EXPECT_EQ(HexDump(ReadBytes(run.out), kBinaryRecordSize), c.hex) << c.what;
    }
}

TEST(BinaryRecordWriter, AppendsOnARecordBoundaryOrReplaces)
{
    const struct { size_t oldSize; size_t newStart; } cases[] = {
        {0, 0}, {48, 48}, {30, 48}, // a cut last record is kept, the new ones start after it
    };
    for (const auto& c : cases) {
        for (int mode : {1, 2}) { // Append, Overwite
            RecordRun run;
            run.state.OutputFileMode = mode;
            const std::string old(c.oldSize, 'x');
            WriteBytes(run.out, old);
            run.convert(Fixture("bin_survey.raw"));
            const std::string bytes = ReadBytes(run.out);
            const size_t start = mode == 1 ? c.newStart : 0;
            ASSERT_EQ(bytes.size(), start + 9 * kBinaryRecordSize) << c.oldSize << " mode " << mode;
            if (mode == 1) {
                EXPECT_EQ(bytes.substr(0, c.oldSize), old);
                EXPECT_EQ(bytes.substr(c.oldSize, start - c.oldSize), std::string(start - c.oldSize, '\0'));
            }
            EXPECT_EQ(bytes.substr(start, 2), "S1");
        }
    }
}

TEST(BinaryRecordWriter, FailuresLeaveTheOldTargetAndEndWithE)
{
    const struct {
        const char* what;
        std::function<void(RecordRun&, std::string& in)> set;
    } cases[] = {
        {"missing input", [](RecordRun& r, std::string& in) { in = r.folder.file("none.raw"); }},
        {"target cannot be replaced", [](RecordRun& r, std::string&) {
             r.out = r.folder.file("adir");
             ::mkdir(r.out.c_str(), 0755);
         }},
        {"target folder missing", [](RecordRun& r, std::string&) { r.out = r.folder.file("no/records.bin"); }},
    };
    for (const auto& c : cases) {
        RecordRun run;
        const std::string old = run.out;
        WriteBytes(old, "old");
        std::string in = Fixture("bin_survey.raw");
        c.set(run, in);
        run.convert(in);
        EXPECT_EQ(run.state.TransferStatus, "E") << c.what;
        EXPECT_EQ(run.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ReadBytes(old), "old") << c.what;
    }
}

TEST(BinaryRecordWriter, EmptyPathsWriteNothingAndEndWithE)
{
    RecordRun run;
    for (const auto& [in, out] : {std::pair<std::string, std::string>{"", run.out}, {Fixture("bin_survey.raw"), ""}}) {
        run.state.TransferStatus = "before";
        ConvertRawToRecordFile(run.context, in, out);
        EXPECT_EQ(run.state.TransferStatus, "E");
    }
    EXPECT_TRUE(run.ui.messages.empty());
    EXPECT_FALSE(Exists(run.out));
    EXPECT_EQ(FindConverter("ConvertRawToRecordFile")->run, &ConvertRawToRecordFile);
}
