// The KOF lines column by column, the options that shape them, and the frame every
// text writer of this library runs in (checked for all of them by name).
#include "CoordTestSupport.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/KofCoordinateWriter.h"
#include "conversion/KofOptions.h"
#include "conversion/KofRawWriter.h"
#include "conversion/EghasWriter.h"
#include "conversion/Mapa2Writer.h"
#include "conversion/NedcadWriter.h"
#include "conversion/TextWriterRun.h"
#include "platform/ByteSink.h"

#include <gtest/gtest.h>


using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

KofOptions JobOptions()
{
    KofOptions o;
    o.Project = "SITE12";
    o.Date = "01.02.24";
    o.Road = "Main road";
    o.City = "Oslo";
    o.Surveyor = "A very long surveyor"; // cut to 12 in the job line
    o.UseCodeConversion = 1;
    return o;
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

// The first line that starts with prefix, or "" when there is none.
std::string LineStarting(const std::string& bytes, const std::string& prefix)
{
    for (const std::string& line : Lines(bytes))
        if (line.rfind(prefix, 0) == 0)
            return line;
    return "";
}

// A sink that takes `capacity` bytes and then fails, as a full disk does.
class FailingSink : public ByteSink {
public:
    explicit FailingSink(size_t capacity) : m_capacity(capacity) {}

protected:
    int put(const char*, size_t size) override
    {
        if (size > m_capacity)
            return 61;
        m_capacity -= size;
        return 0;
    }

private:
    size_t m_capacity;
};

class KofRun : public ::testing::Test {
protected:
    std::string run(ConverterFunction convert, const std::string& input, const KofOptions& options,
                    int coordinateOrder = 0)
    {
        h.context.kof = &options;
        h.context.coordinateOrder = coordinateOrder;
        convert(h.context, input, out);
        EXPECT_EQ(h.state.TransferStatus, "OK");
        EXPECT_TRUE(h.ui.messages.empty());
        return ReadBytes(out);
    }

    TempFolder folder;
    ContextHarness h;
    std::string out = folder.file("out.kof");
};

} // namespace

TEST_F(KofRun, RawFileGivesEveryLineKindInItsColumns)
{
    // Station, backsight, code tail, observations of SS and CP, coordinates under NEZ
    // and ENZ, the weather of the comments, long names cut to their fields.
    EXPECT_EQ(run(ConvertRawToKOF, Fixture("kof_raw.raw"), JobOptions()), ReadBytes(Fixture("kof_raw_expected.kof")));
}

TEST_F(KofRun, CoordinateFileGivesEastingFirstInEitherOrder)
{
    EXPECT_EQ(run(ConvertCoorToKOF, Fixture("kof_coordinates.txt"), JobOptions()),
              ReadBytes(Fixture("kof_coordinates_expected.kof")));
    const std::string enz = run(ConvertCoorToKOF, Fixture("kof_coordinates.txt"), JobOptions(), 1);
    EXPECT_EQ(LineStarting(enz, " 05 P1"), " 05 P1         TREE      6543210.123  543210.987   12.345");
}

// A list without heights: each point at height 0, none left out.
TEST_F(KofRun, CoordinateLinesWithoutAHeightAreKeptAtHeightZero)
{
    WriteBytes(folder.file("flat.asc"), "P2,6500110.000,600210.000\r\nP3,6500120.000,600220.000\r\n");
    const std::string kof = run(ConvertCoorToKOF, folder.file("flat.asc"), JobOptions());
    EXPECT_EQ(LineStarting(kof, " 05 P2"), " 05 P2                    600210.000 6500110.000    0.000");
    EXPECT_EQ(LineStarting(kof, " 05 P3"), " 05 P3                    600220.000 6500120.000    0.000");
}

TEST_F(KofRun, CodeConversionOffKeepsWholeCodesAndWritesNoTail)
{
    KofOptions options = JobOptions();
    options.UseCodeConversion = 0;
    const std::string kof = run(ConvertRawToKOF, Fixture("kof_raw.raw"), options);
    EXPECT_EQ(LineStarting(kof, " 09 "), "");
    EXPECT_EQ(LineStarting(kof, " 03 P1").substr(15, 9), "TREE-A-7 ");
    EXPECT_EQ(LineStarting(kof, " 05 U1").substr(15, 9), "BM-3     ");
}

TEST_F(KofRun, InputWithoutRecordsIsNoResult)
{
    // The three header lines alone are no KOF file worth delivering: the old target stays.
    WriteBytes(folder.file("comments.raw"), "CO,only a comment\r\n");
    WriteBytes(out, "old");
    const KofOptions defaults;
    h.context.kof = &defaults;
    ConvertRawToKOF(h.context, folder.file("comments.raw"), out);
    EXPECT_EQ(h.state.TransferStatus, "E");
    EXPECT_EQ(ReadBytes(out), "old");
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, "This file contains no data");
}

TEST_F(KofRun, ValuesWiderThanTheirFieldKeepTheirLeftmostCharacters)
{
    WriteBytes(folder.file("wide.txt"), CrLf({"N1,12345678.9,1.5,123456.7891,C", "N2,1.0004,-0.0004,-5,C"}));
    const std::string kof = run(ConvertCoorToKOF, folder.file("wide.txt"), KofOptions());
    // First the easting (1.5), then the 12-character northing in 11 columns, then the height.
    EXPECT_EQ(LineStarting(kof, " 05 N1").substr(24), "       1.500 12345678.90 123456.7");
    EXPECT_EQ(LineStarting(kof, " 05 N2").substr(24), "       0.000       1.000   -5.000");
}

TEST_F(KofRun, AppendKeepsTheOldContentAndAddsAWholeNewFile)
{
    WriteBytes(out, "OLD\r\n");
    h.state.OutputFileMode = 1;
    const std::string kof = run(ConvertCoorToKOF, Fixture("kof_coordinates.txt"), JobOptions());
    EXPECT_EQ(kof, "OLD\r\n" + ReadBytes(Fixture("kof_coordinates_expected.kof")));
}

TEST_F(KofRun, NamesAndCodesPassAsWindows1252Bytes)
{
    WriteBytes(folder.file("cp.txt"), "\xC6VRE,1,2,3,B\xD8K\r\n");
    const std::string kof = run(ConvertCoorToKOF, folder.file("cp.txt"), KofOptions());
    EXPECT_EQ(LineStarting(kof, " 05 ").substr(4, 20), "\xC6VRE       B\xD8K      ");
}

// Every writer of this library, by its registry name, with an input it accepts.
struct WriterCase {
    const char* name;
    const char* fixture;
    std::function<int(const std::string& input, ByteSink& out)> write;
};

void PrintTo(const WriterCase& c, std::ostream* os)
{
    *os << c.name;
}

class TextWriters : public ::testing::TestWithParam<WriterCase> {
protected:
    void SetUp() override
    {
        convert = FindConverter(GetParam().name);
        ASSERT_NE(convert, nullptr) << GetParam().name;
        WriteBytes(out, "OLD\r\n");
    }

    void expectFailedRun(const std::string& description)
    {
        EXPECT_EQ(h.state.TransferStatus, "E");
        EXPECT_EQ(h.ui.beeps, 1);
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0].title, "Error");
        EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Critical);
        if (!description.empty())
            EXPECT_EQ(h.ui.messages[0].text, description);
        EXPECT_FALSE(h.ui.busy);
        EXPECT_EQ(ReadBytes(out), "OLD\r\n");
    }

    const ConverterEntry* convert = nullptr;
    TempFolder folder;
    ContextHarness h;
    std::string out = folder.file("target.out");
};

TEST_P(TextWriters, SuccessReplacesTheTargetWithCrLfLines)
{
    convert->run(h.context, Fixture(GetParam().fixture), out);
    EXPECT_EQ(h.state.TransferStatus, "OK");
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_FALSE(h.ui.busy);
    const std::string bytes = ReadBytes(out);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
        if (bytes[i] == '\r')
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
    }
    EXPECT_EQ(bytes.find("OLD"), std::string::npos);
}

TEST_P(TextWriters, FailuresLeaveTheOldTargetAndEndWithE)
{
    convert->run(h.context, folder.file("missing.raw"), out);
    expectFailedRun("File not found");

    h.ui.clear();
    const std::string input = folder.file("in.raw");
    WriteBytes(input, ReadBytes(Fixture(GetParam().fixture)));
    convert->run(h.context, input, folder.file("no-such-folder/target.out"));
    EXPECT_EQ(h.state.TransferStatus, "E");
    EXPECT_EQ(h.ui.messages.size(), 1u);
    EXPECT_FALSE(Exists(folder.file("no-such-folder")));

    h.ui.clear();
    convert->run(h.context, out, out); // the target as its own source
    expectFailedRun("");
}

TEST_P(TextWriters, EmptyNamesDoNothing)
{
    convert->run(h.context, "", out);
    EXPECT_EQ(h.state.TransferStatus, "E");
    convert->run(h.context, Fixture(GetParam().fixture), "");
    EXPECT_EQ(h.state.TransferStatus, "E");
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_EQ(ReadBytes(out), "OLD\r\n");
}

TEST_P(TextWriters, AFullSinkIsReportedNeverSuccess)
{
    StringSink whole;
    ASSERT_EQ(GetParam().write(Fixture(GetParam().fixture), whole), 0);
    for (size_t capacity : {size_t(0), whole.bytes().size() / 2, whole.bytes().size() - 1}) {
        FailingSink full(capacity);
        EXPECT_EQ(GetParam().write(Fixture(GetParam().fixture), full), 61) << capacity;
    }
}

namespace {
const KofOptions kDefaultKof;
const KofPointTable kNoPoints;
} // namespace

INSTANTIATE_TEST_SUITE_P(
    KofMapaListings, TextWriters,
    ::testing::Values(
        WriterCase{"ConvertRawToKOF", "kof_raw.raw",
                   [](const std::string& in, ByteSink& out) { return KofRawWriter(kDefaultKof, 0, kNoPoints).write(in, out); }},
        WriterCase{"ConvertCoorToKOF", "kof_coordinates.txt",
                   [](const std::string& in, ByteSink& out) {
                       return KofCoordinateWriter(kDefaultKof, 0, kNoPoints).write(in, out);
                   }},
        WriterCase{"ConvertRawToMapa2", "mapa_survey.raw",
                   [](const std::string& in, ByteSink& out) { return Mapa2Writer("01-02-24").write(in, out); }},
        WriterCase{"ConvertRawToEghas", "listing_survey.raw",
                   [](const std::string& in, ByteSink& out) { return EghasWriter().write(in, out); }},
        WriterCase{"ConvertRawToNedcad", "listing_survey.raw",
                   [](const std::string& in, ByteSink& out) { return NedcadWriter().write(in, out); }}),
    [](const ::testing::TestParamInfo<WriterCase>& info) { return std::string(info.param.name); });

TEST(RunTextWriter, AWriteFailureAfterSomeBytesKeepsTheOldTarget)
{
    TempFolder folder;
    ContextHarness h;
    const std::string out = folder.file("target.out");
    WriteBytes(out, "OLD\r\n");
    RunTextWriter(h.context, Fixture("kof_raw.raw"), out, [](const std::string&, ByteSink& sink) {
        sink.writeLine("half a file");
        return 61;
    });
    EXPECT_EQ(h.state.TransferStatus, "E");
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(out), "OLD\r\n");
    // No temporary file is left beside the target.
    EXPECT_EQ(std::system(("test $(ls '" + folder.path() + "' | wc -l) -eq 1").c_str()), 0);
}
