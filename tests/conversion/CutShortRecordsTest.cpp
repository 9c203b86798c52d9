// A raw file that ends inside a record, as a transfer that ended early leaves it, on
// every road that reads raw data: the record cut short is left out, with the
// observations of a station record cut short, and one warning after the run says how
// many and where the first is. Each road's output is the one it gives for the file
// without those records.
#include "CoordTestSupport.h"

#include "conversion/ConverterRegistry.h"
#include "conversion/CutShortRecords.h"
#include "conversion/RawCoordinateCalculator.h"
#include "map/core/MapTables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <vector>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

// A located station, a face reading, a side shot and a control-point observation:
// eight lines, so that what is added starts at line 9.
const char* const kSurvey[] = {
    "CO,Zarel RAW data format V2.00",
    "CO,Angle Units: GONS",
    "UP,S1,,1000.000,2000.000,100.000,BM",
    "UP,S0,,1100.000,2000.000,101.000,BM",
    "ST,S1,,S0,,1.500,0.0000,0.0000",
    "F1,S0,1.500,100.000,0.0000,100.0000",
    "SS,P1,1.500,50.000,100.0000,100.0000,,TREE",
    "CP,C1,,1.500,60.000,150.0000,99.0000,,POLE",
};

// The roads and the record codes each takes values from; "_*_" is the map's road.
struct Road {
    const char* converter;
    const char* output;
    std::initializer_list<const char*> reads;
};
const Road kRoads[] = {
    {"CalcRawCoordinates", "out.asc", {"SS", "CP", "SO", "F1", "F2", "ST", "UP", "MP", "CC", "RE", "UC", "MC"}},
    {"CalcRawCoordinates", kTablesOnlyOutput, {"SS", "CP", "SO", "F1", "F2", "ST", "UP", "MP", "CC", "RE", "UC", "MC"}},
    {"ConvertRawToKOF", "out.kof", {"SS", "CP", "SO", "ST", "UP", "MP", "CC", "RE"}},
    {"ConvertRawToMapa2", "out.txt", {"SS", "CP", "SO", "ST", "UP", "MP", "CC", "RE", "UC", "MC"}},
    {"ConvertRawToEghas", "out.txt", {"SS", "CP", "SO", "F1", "F2", "ST"}},
    {"ConvertRawToNedcad", "out.txt", {"SS", "CP", "SO", "F1", "F2", "ST"}},
    {"ConvertRawToDXF", "out.dxf", {"UP", "MP", "CC", "RE"}},
    {"ConvertRawToCoorComma", "out.asc", {"UP", "MP", "CC", "RE"}},
    {"ConvertRawToRecordFile", "out.bin", {"SS", "ST"}},
};

bool Reads(const Road& road, const std::string& line)
{
    for (const char* code : road.reads)
        if (line.compare(0, 3, std::string(code) + ",") == 0)
            return true;
    return false;
}

// A line added to the survey: kept (it is whole), cut short, or an observation of a
// station record cut short.
enum class Added { Kept, Cut, OfCutStation };
struct Line {
    const char* text;
    Added added;
};

// What a road made of a file: its output (for the map, the points of its tables)
// and what the user was told.
struct Outcome {
    std::string output;
    std::vector<std::string> messages;
    std::string status;
};

std::string TablesText(const MapTables& t)
{
    std::string text;
    for (int32_t i = 1; i <= t.StationCount(); ++i)
        text += "station " + t.Stations[i].name + " " + std::to_string(t.Stations[i].X) + "\n";
    for (int32_t i = 1; i <= t.ObsPointCount(); ++i)
        text += "point " + std::string(t.PointNames[i]) + " " + std::to_string(t.ObsPoints[i].X) + " " +
                std::to_string(t.ObsPoints[i].Y) + " " + std::to_string(t.ObsPoints[i].H) + "\n";
    return text;
}

Outcome Convert(const Road& road, const std::string& raw, TempFolder& folder)
{
    const std::string input = folder.file("in.raw");
    WriteBytes(input, raw);
    const bool tablesOnly = std::string(road.output) == kTablesOnlyOutput;
    const std::string output = tablesOnly ? road.output : folder.file(road.output);
    std::remove(output.c_str());
    ContextHarness h;
    MapTables tables;
    h.context.map = &tables;
    FindConverter(road.converter)->run(h.context, input, output);
    Outcome outcome{tablesOnly ? TablesText(tables) : ReadBytes(output), {}, h.state.TransferStatus};
    for (const auto& m : h.ui.messages)
        outcome.messages.push_back(m.text);
    return outcome;
}

std::string WithSurvey(const std::vector<Line>& added, bool keptOnly)
{
    std::vector<std::string> lines(std::begin(kSurvey), std::end(kSurvey));
    for (const Line& line : added)
        if (!keptOnly || line.added == Added::Kept)
            lines.push_back(line.text);
    return CrLf(lines);
}

} // namespace

TEST(CutShortRecords, AreLeftOutByEveryRawDataRoadAndCountedInOneWarning)
{
    const struct {
        const char* what;
        std::vector<Line> lines; // from line 9
    } cases[] = {
        {"a side shot without its zenith angle", {{"SS,33,0.000,9.362,148.7", Added::Cut}}},
        {"an observation without its slope distance",
         {{"CP,C2,,1.500", Added::Cut}, {"SS,P2,1.500,20.000,30.0000,100.0000,,", Added::Kept}}},
        {"a face reading without its zenith angle",
         {{"F1,S0,1.500,100.000,0.0000", Added::Cut}, {"SS,P2,1.5,20,30,100,,", Added::Kept}}},
        {"a station without its backsight angles, and its observations",
         {{"ST,S2,,S1,,1.600,0.0000", Added::Cut},
          {"SS,P5,1.500,10.000,20.0000,100.0000,,X", Added::OfCutStation},
          {"CP,C5,,1.500,10.000,20.0000,100.0000,,", Added::OfCutStation},
          {"ST,S1,,S0,,1.550,0.0000,0.0000", Added::Kept},
          {"SS,P6,1.500,20.000,30.0000,100.0000,,Y", Added::Kept}}},
        {"coordinates without the elevation", {{"UP,K9,,100.000,200.000", Added::Cut}}},
        {"two cut short, the first counted",
         {{"UP,K8,,1,2,3,", Added::Kept}, {"SS,P3,1.5,20", Added::Cut}, {"MP,K9,,1", Added::Cut}}},
        {"values there but empty read as ever",
         {{"SS,34,,9.362,148.7000,95.0000", Added::Kept}, {"ST,S3,,,,,,", Added::Kept},
          {"UP,K7,,100.000,200.000,", Added::Kept}}},
    };
    TempFolder folder;
    for (const auto& c : cases)
        for (const Road& road : kRoads) {
            const std::string what = std::string(c.what) + ", " + road.converter + " " + road.output;
            const Outcome whole = Convert(road, WithSurvey(c.lines, true), folder);
            ASSERT_EQ(whole.status, "OK") << what;
            ASSERT_TRUE(whole.messages.empty()) << what << ": " << whole.messages[0];
            const Outcome cut = Convert(road, WithSurvey(c.lines, false), folder);
            EXPECT_EQ(cut.status, "OK") << what;
            EXPECT_EQ(cut.output, whole.output) << what;

            CutShortCount expected;
            bool stationCut = false;
            for (size_t i = 0; i < c.lines.size(); ++i) {
                const Line& line = c.lines[i];
                if (line.added == Added::Cut && Reads(road, line.text)) {
                    expected.add(static_cast<int64_t>(std::size(kSurvey) + 1 + i));
                    stationCut = stationCut || std::string(line.text).rfind("ST,", 0) == 0;
                }
                expected.afterStation += line.added == Added::OfCutStation && stationCut && Reads(road, line.text);
            }
            if (!expected.any()) {
                EXPECT_TRUE(cut.messages.empty()) << what << ": " << cut.messages[0];
                continue;
            }
            EXPECT_EQ(cut.messages, std::vector<std::string>{CutShortText(expected)}) << what;
        }
}

TEST(CutShortRecords, TheWarningSaysHowManyAndWhereTheFirstIs)
{
    CutShortCount count;
    count.add(41);
    count.add(57);
    EXPECT_EQ(CutShortText(count), "2 record(s) were left out because they end before their last value (cut short, as"
                                   " when a transfer ends early), the first at line 41.");
    count.afterStation = 3;
    EXPECT_EQ(CutShortText(count).substr(CutShortText(count).find(". ") + 2),
              "3 observation(s) after a station record cut short were left out with it.");
    EXPECT_EQ(CutShortText(CutShortCount{}), "");
}
