#include "CoordTestSupport.h"
#include "WriterTestSupport.h"

#include "app/SettingsFileSaver.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/SdrOptions.h"
#include "conversion/SdrWriter.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

// 2024-03-05 07:08:09 UTC, read in UTC.
std::time_t FixedClock()
{
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    return 1709622489;
}

std::string Written(const SdrOptions& options, int order, const std::string& input, const std::string& output)
{
    SdrWriter writer(options, order, output, FixedClock());
    StringSink sink;
    CoordinateLineGate in;
    in.open(input);
    writer.write(in, sink);
    return sink.bytes();
}

std::vector<std::string> Lines(const std::string& bytes)
{
    return SplitLines(bytes);
}

} // namespace

TEST(SdrOptions, LoadsDefaultsAndRangeChecksStoredIndexes)
{
    const SdrOptions d = LoadSdrOptions(Profile(""));
    EXPECT_EQ(std::vector<int>({d.angleUnits, d.distanceUnits, d.pressureUnits, d.temperatureUnits,
                                d.temperatureAndPressure, d.curvatureAndRefraction, d.refractionConstant, d.seaLevel}),
              std::vector<int>({1, 0, 0, 0, 0, 1, 0, 0}));
    const struct { const char* line; int SdrOptions::*option; int value; } cases[] = {
        {"AngleUnits=2.4", &SdrOptions::angleUnits, 2},
        {"AngleUnits=not a number", &SdrOptions::angleUnits, 0},
        {"AngleUnits = 0", &SdrOptions::angleUnits, 0},
        {"AngleUnits=3", &SdrOptions::angleUnits, 1},           // no fourth button: default
        {"AngleUnits=-1", &SdrOptions::angleUnits, 1},
        {"AngleUnits=1e12", &SdrOptions::angleUnits, 1},        // too large to round
        {"TemperatureUnits=2", &SdrOptions::temperatureUnits, 0}, // two buttons only
        {"CurvatureAndRefraction=0", &SdrOptions::curvatureAndRefraction, 0},
        {"SeaLevel=1.5", &SdrOptions::seaLevel, 0},             // rounds half to even: 2, out of range
        {"DistanceUnits=2", &SdrOptions::distanceUnits, 2},
    };
    for (const auto& c : cases) {
        const SdrOptions options = LoadSdrOptions(Profile(std::string("[SDR33 Settings]\r\n") + c.line + "\r\n"));
        EXPECT_EQ(options.*c.option, c.value) << c.line;
    }
}

TEST(SdrOptions, SavesTheEightKeys)
{
    TempFolder folder;
    const std::string ini = folder.file("Tavrelo.ini");
    WriteBytes(ini, "[SDR33 Settings]\r\nAngleUnits = 1\r\n");
    SdrOptions options;
    options.angleUnits = 2;
    options.curvatureAndRefraction = 0;
    ASSERT_TRUE(SaveSettingsValues(SdrSettingsValues(options), ini).ok());
    EXPECT_EQ(ReadBytes(ini), CrLf({"[SDR33 Settings]", "AngleUnits=2", "DistanceUnits=0", "PressureUnits=0",
                                    "TemperatureUnits=0", "TemperatureAndPressure=0", "CurvatureAndRefraction=0",
                                    "RefractionConstant=0", "SeaLevel=0"}));
}

TEST(SdrWriter, GoldenFileWithDefaultsAndNezOrder)
{
    EXPECT_EQ(Written(SdrOptions(), 0, Fixture("sdr_points_nez.asc"), "C:\\DATA\\JOB1.SDR"),
              ReadBytes(Fixture("sdr_points_nez_expected.sdr")));
}

TEST(SdrWriter, HeaderDigitsFollowTheOptions)
{
    const struct {
        std::function<void(SdrOptions&)> set;
        int order;
        const char* unitDigits; // header columns 41 to 46
        const char* jobDigits;  // job columns 21 to 26
    } cases[] = {
        {[](SdrOptions&) {}, 0, "211111", "122112"},
        {[](SdrOptions&) {}, 1, "211121", "122112"},
        {[](SdrOptions& o) { o.angleUnits = 0; o.distanceUnits = 1; o.pressureUnits = 2; o.temperatureUnits = 1; },
         0, "123211", "122112"},
        {[](SdrOptions& o) { o.angleUnits = 2; o.distanceUnits = 2; o.pressureUnits = 1; }, 0, "422111", "122112"},
        {[](SdrOptions& o) {
             o.temperatureAndPressure = 1; o.curvatureAndRefraction = 0; o.refractionConstant = 1; o.seaLevel = 1;
         }, 0, "211111", "121221"},
    };
    for (const auto& c : cases) {
        SdrOptions options;
        c.set(options);
        const std::vector<std::string> lines = Lines(Written(options, c.order, Fixture("dxf_no_points.asc"), "J"));
        ASSERT_EQ(lines.size(), 6u);
        EXPECT_EQ(lines[0].substr(40), c.unitDigits);
        EXPECT_EQ(lines[1], std::string("10NMJ") + std::string(15, ' ') + c.jobDigits);
    }
}

TEST(SdrWriter, CoordinateRecordsKeepTheInputOrderInColumns)
{
    const struct { int order; const char* line; const char* record; } cases[] = {
        // N-E-Z input: northing first, as the order digit 1 says; E-N-Z: easting first (digit 2).
        {0, "P1,6500100.123,500200.456,12.345,TREE",
         "08KIP1              6500100.123     500200.456      12.345          TREE"},
        {1, "P1,500200.456,6500100.123,12.345,TREE",
         "08KIP1              500200.456      6500100.123     12.345          TREE"},
        {0, "P19CHARACTERSNAMES,,2,3", "08KIP19CHARACTERSNAM                2               3"},
        {0, " A , 1 , 2 , 3 , C ", "08KIA               1               2               3               C"},
        {0, "P2,6500110.000,600210.000", "08KIP2              6500110.000     600210.000"}, // no height
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder.file("in.asc"), std::string(c.line) + "\r\n");
        const std::vector<std::string> lines = Lines(Written(SdrOptions(), c.order, folder.file("in.asc"), "J"));
        ASSERT_EQ(lines.size(), 7u) << c.line;
        EXPECT_EQ(lines[6], c.record) << c.line;
    }
}

TEST(SdrWriter, JobNameIsTheFileNameTrimmedAndCutTo15)
{
    // The whole job record: the name from column 5, the digits from column 21.
    const struct { const char* output; const char* record; } cases[] = {
        {"C:\\DATA\\JOB1.SDR", "10NMJOB1.SDR        122112"},
        {"/home/s/ABCDEFGHIJKLMNOPQ.SDR", "10NMABCDEFGHIJKLMNO 122112"},
        {"C:\\DATA\\ JOB2.SDR", "10NMJOB2.SDR        122112"},          // blank after the folder
        {"C:\\DATA\\  ABCDEFGHIJKLMNOP.SDR", "10NMABCDEFGHIJKLMNO 122112"}, // cut after trimming
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = Lines(Written(SdrOptions(), 0, Fixture("dxf_no_points.asc"), c.output));
        EXPECT_EQ(lines[1], c.record) << c.output;
    }
}

TEST(SdrWriter, AppendAddsAFurtherHeaderBlock)
{
    ContextHarness run;
    TempFolder folder;
    const std::string out = folder.file("job.sdr");
    WriteBytes(out, "00NM old\r\n08KIOLD\r\n");
    run.state.OutputFileMode = 1;
    ConvertCoorToSDR33(run.context, Fixture("sdr_points_nez.asc"), out);
    EXPECT_EQ(run.state.TransferStatus, "OK");
    const std::vector<std::string> lines = Lines(ReadBytes(out));
    ASSERT_EQ(lines.size(), 2u + 6u + 4u);
    EXPECT_EQ(lines[1], "08KIOLD");
    EXPECT_EQ(lines[2].substr(0, 15), "00NMSDR33V04-01");
    EXPECT_EQ(lines[3], "10NMjob.sdr" + std::string(9, ' ') + "122112");

    run.state.OutputFileMode = 2; // overwrite: a new file
    ConvertCoorToSDR33(run.context, Fixture("sdr_points_nez.asc"), out);
    EXPECT_EQ(Lines(ReadBytes(out)).size(), 6u + 4u);
}

TEST(SdrWriter, FailuresLeaveTheOldTargetAndEndWithE)
{
    const struct {
        const char* what;
        std::function<void(TempFolder&, std::string& in, std::string& out)> set;
        bool limitSize;
    } cases[] = {
        {"missing input", [](TempFolder& f, std::string& in, std::string&) { in = f.file("none.asc"); }, false},
        {"target cannot be replaced", [](TempFolder& f, std::string&, std::string& out) {
             out = f.file("adir");
             ::mkdir(out.c_str(), 0755);
         }, false},
        {"write fails part way", [](TempFolder& f, std::string& in, std::string&) {
             std::string many;
             for (int i = 0; i < 5000; ++i)
                 many += "P" + std::to_string(i) + ",6500000.000,500000.000,10.000,CODE\r\n";
             in = f.file("many.asc");
             WriteBytes(in, many);
         }, true},
    };
    for (const auto& c : cases) {
        ContextHarness run;
        TempFolder folder;
        std::string in = Fixture("sdr_points_nez.asc");
        std::string out = folder.file("out.sdr");
        WriteBytes(out, "old");
        c.set(folder, in, out);
        {
            FileSizeLimit limit(c.limitSize ? 100000 : RLIM_INFINITY);
            ConvertCoorToSDR33(run.context, in, out);
        }
        EXPECT_EQ(run.state.TransferStatus, "E") << c.what;
        ASSERT_EQ(run.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Critical) << c.what;
        EXPECT_EQ(run.ui.beeps, 1) << c.what;
        EXPECT_EQ(ReadBytes(folder.file("out.sdr")), "old") << c.what;
    }
}

TEST(SdrWriter, EmptyPathsAndRegistry)
{
    ContextHarness run;
    ConvertCoorToSDR33(run.context, "", "/tmp/never-written.sdr");
    EXPECT_EQ(run.state.TransferStatus, "E");
    EXPECT_TRUE(run.ui.messages.empty());
    EXPECT_FALSE(Exists("/tmp/never-written.sdr"));
    EXPECT_EQ(FindConverter("ConvertCoorToSDR33")->run, &ConvertCoorToSDR33);
}
