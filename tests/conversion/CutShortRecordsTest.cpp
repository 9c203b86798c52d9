// A raw file that ends inside a record, as a transfer that ended early leaves it, on
// every road that reads raw data: the record cut short is left out, with the
// observations of a station record cut short, and one warning after the run says how
// many and where the first is. Each road's output is the one it gives for the file
// without those records. The roads are every converter of raw data in the registry,
// so that one added there is held to the same rule.
#include "CoordTestSupport.h"

#include "conversion/ConverterRegistry.h"
#include "conversion/CutShortRecords.h"
#include "conversion/RawCoordinateCalculator.h"
#include "conversion/RawRecordCodes.h"
#include "map/core/MapTables.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A converter of raw data and its output; "_*_" is the map's road.
struct Road {
    const char* converter;
    std::string output;
    RawKinds reads; // the kinds of record it takes values from, as the registry says
};

// Every converter of raw data in the registry, and the calculator's map road.
std::vector<Road> RawDataRoads()
{
    std::vector<Road> roads;
    for (const ConverterEntry& entry : Converters()) {
        if (!entry.reads.any())
            continue;
        roads.push_back({entry.name, "out", entry.reads});
        if (std::string(entry.name) == "CalcRawCoordinates")
            roads.push_back({entry.name, kTablesOnlyOutput, entry.reads});
    }
    return roads;
}
const std::vector<Road> kRoads = RawDataRoads();

bool HasCode(const std::string& line, std::initializer_list<const char*> codes)
{
    for (const char* code : codes)
        if (line.compare(0, 3, std::string(code) + ",") == 0)
            return true;
    return false;
}

bool Reads(const Road& road, std::string line)
{
    line.erase(0, line.find_first_not_of(' '));
    if (line.rfind(kCutShortMark, 0) == 0)
        line.erase(0, kCutShortMark.size());
    const RawRecordCode* record = FindRawRecord(line.substr(0, 2));
    return record && road.reads.has(record->kind);
}

// A line added to the survey: kept (it is whole), cut short, marked cut short when an
// append followed it, or an observation of a station record cut short.
enum class Added { Kept, Cut, Marked, OfCutStation };
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

// A record marked cut short is a comment too: the roads that carry comments into
// their output carry it.
std::string WithoutMarkedComments(const std::string& output)
{
    std::string kept;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        end = end == std::string::npos ? output.size() : end + 1;
        const std::string line = output.substr(start, end - start);
        if (line.find("Cut short: SS") == std::string::npos && line.find("Cut short: ST") == std::string::npos &&
            line.find("Cut short: UP") == std::string::npos)
            kept += line;
        start = end;
    }
    return kept;
}

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
    const bool tablesOnly = road.output == kTablesOnlyOutput;
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

// What a road leaves out of the survey with the lines added: the records cut short of
// the kinds it reads, and on a road that reads stations every observation (face
// readings too) after a station record cut short.
CutShortCount Expected(const Road& road, const std::vector<Line>& added)
{
    CutShortCount expected;
    bool stationCut = false;
    for (size_t i = 0; i < added.size(); ++i) {
        const Line& line = added[i];
        const bool cut = line.added == Added::Cut || line.added == Added::Marked;
        if (cut && Reads(road, line.text)) {
            const auto number = static_cast<int64_t>(std::size(kSurvey) + 1 + i);
            if (line.added == Added::Marked)
                expected.addMarked(number);
            else
                expected.add(number);
            stationCut = stationCut || std::string(line.text).find("ST,") != std::string::npos;
        }
        expected.afterStation +=
            line.added == Added::OfCutStation && stationCut && HasCode(line.text, {"SS", "CP", "SO", "F1", "F2"});
    }
    return expected;
}

} // namespace

// Every converter of raw data, those added later among them: each needs its row of
// the kinds it reads, and every converter named for raw data is one.
TEST(CutShortRecords, EveryRawDataRoadIsHeldToTheRule)
{
    for (const ConverterEntry& entry : Converters())
        EXPECT_EQ(entry.reads.any(), std::string(entry.name).find("Raw") != std::string::npos) << entry.name;
    std::vector<std::string> names;
    for (const Road& road : kRoads)
        names.push_back(road.converter);
    for (const char* name : {"CalcRawCoordinates", "ConvertRawToKOF", "ConvertRawToMapa2", "ConvertRawToEghas",
                             "ConvertRawToNedcad", "ConvertRawToDXF", "ConvertRawToCoorComma",
                             "ConvertRawToCoorSpace", "ConvertRawToRecordFile"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

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
          {"F1,S1,1.500,100.000,0.0000,100.0000", Added::OfCutStation},
          {"F2,S1,1.500,100.000,200.0000,300.0000", Added::OfCutStation},
          {"SS,P5,1.500,10.000,20.0000,100.0000,,X", Added::OfCutStation},
          {"CP,C5,,1.500,10.000,20.0000,100.0000,,", Added::OfCutStation},
          {"ST,S1,,S0,,1.550,0.0000,0.0000", Added::Kept},
          {"SS,P6,1.500,20.000,30.0000,100.0000,,Y", Added::Kept}}},
        {"coordinates without the elevation", {{"UP,K9,,100.000,200.000", Added::Cut}}},
        {"two cut short, the first counted",
         {{"UP,K8,,1,2,3,", Added::Kept}, {"SS,P3,1.5,20", Added::Cut}, {"MP,K9,,1", Added::Cut}}},
        {"a side shot marked cut short, its values all there",
         {{"CO,Cut short: SS,P2,1.500,50.000,100.0000,1", Added::Marked},
          {"SS,P3,1.500,20.000,30.0000,100.0000,,", Added::Kept}}},
        {"a station marked cut short, and its observations",
         {{"CO,Cut short: ST,S2,,S1,,1.600,0.0000,0.00", Added::Marked},
          {"SS,P5,1.500,10.000,20.0000,100.0000,,X", Added::OfCutStation},
          {"ST,S1,,S0,,1.550,0.0000,0.0000", Added::Kept},
          {"SS,P6,1.500,20.000,30.0000,100.0000,,Y", Added::Kept}}},
        {"coordinates marked, and one cut short before them",
         {{"MP,K9,,1", Added::Cut}, {"  CO,Cut short: UP,K9,,100.000,200.000,100.1", Added::Marked}}},
        {"a comment that only looks marked is a comment",
         {{"CO,Cut short: the tripod fell", Added::Kept}, {"CO,Cut short:SS,P9,1,2,3,4", Added::Kept}}},
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
            EXPECT_EQ(WithoutMarkedComments(cut.output), WithoutMarkedComments(whole.output)) << what;

            const CutShortCount expected = Expected(road, c.lines);
            if (!expected.any()) {
                EXPECT_TRUE(cut.messages.empty()) << what << ": " << cut.messages[0];
                continue;
            }
            EXPECT_EQ(cut.messages, std::vector<std::string>{CutShortText(expected)}) << what;
        }
}

// A file whose lines end in line ends and whose last line has none, as a download that
// hung up mid-record leaves it: a record there is cut short whatever it holds, since a
// value cut inside reads as a whole one. A last line that holds no record with values
// (a comment, blanks) and a file without any line end read as they always did.
TEST(CutShortRecords, ALastRecordWithoutItsLineEndIsLeftOutByEveryRawDataRoad)
{
    const struct {
        const char* what;
        std::vector<Line> lines; // from line 9, each with its line end
        std::string last;        // the last line, without one
        bool cut;
    } cases[] = {
        {"a side shot cut inside its zenith angle", {}, "SS,P2,1.500,50.000,100.0000,1", true},
        {"a side shot cut after the comma before its zenith angle", {}, "SS,P2,1.500,50.000,100.0000,", true},
        {"a side shot cut inside its code", {}, "SS,P2,1.500,50.000,100.0000,100.0000,,TR", true},
        {"a control-point observation", {}, "CP,C2,,1.500,60.000,150.0000,99.0", true},
        {"a face reading", {{"SS,P2,1.5,20,30,100,,", Added::Kept}}, "F1,S0,1.500,100.000,0.0000,100.00", true},
        {"a station", {}, "ST,S2,,S1,,1.600,0.0000,0.00", true},
        {"coordinates", {{"UP,K8,,1,2,3,", Added::Kept}}, "UP,K9,,100.000,200.000,100.1", true},
        {"a record cut short before it as well",
         {{"SS,P3,1.5,20", Added::Cut}, {"UP,K8,,1,2,3,", Added::Kept}}, "MP,K9,,1.000,2.000,3.0", true},
        {"a comment", {}, "CO,Downloaded at 12:0", false},
        {"blanks", {}, "   ", false},
    };
    TempFolder folder;
    for (const auto& c : cases)
        for (const Road& road : kRoads) {
            const std::string what = std::string(c.what) + ", " + road.converter + " " + road.output;
            const std::string before = WithSurvey(c.lines, false);
            const Outcome unended = Convert(road, before + c.last, folder);
            if (!c.cut) {
                const Outcome ended = Convert(road, before + c.last + "\r\n", folder);
                EXPECT_EQ(unended.output, ended.output) << what;
                EXPECT_EQ(unended.messages, ended.messages) << what;
                EXPECT_EQ(unended.status, ended.status) << what;
                continue;
            }
            const Outcome whole = Convert(road, WithSurvey(c.lines, true), folder);
            ASSERT_EQ(whole.status, "OK") << what;
            EXPECT_EQ(unended.status, "OK") << what;
            EXPECT_EQ(unended.output, whole.output) << what;
            CutShortCount expected = Expected(road, c.lines);
            if (Reads(road, c.last))
                expected.add(static_cast<int64_t>(std::size(kSurvey) + c.lines.size() + 1), true);
            if (!expected.any())
                EXPECT_TRUE(unended.messages.empty()) << what << ": " << unended.messages[0];
            else
                EXPECT_EQ(unended.messages, std::vector<std::string>{CutShortText(expected)}) << what;
        }
}

// A file of one line without any line end is that line whole, on every road.
TEST(CutShortRecords, AFileWithoutAnyLineEndIsReadAsEver)
{
    TempFolder folder;
    for (const char* line : {"UP,K9,,100.000,200.000,100.100,BM", "SS,P2,1.500,50.000,100.0000,100.0000,,"})
        for (const Road& road : kRoads) {
            const std::string what = std::string(line) + ", " + road.converter + " " + road.output;
            const Outcome unended = Convert(road, line, folder);
            const Outcome ended = Convert(road, std::string(line) + "\r\n", folder);
            EXPECT_EQ(unended.output, ended.output) << what;
            EXPECT_EQ(unended.messages, ended.messages) << what;
            EXPECT_EQ(unended.status, ended.status) << what;
        }
    ContextHarness h;
    const std::string input = folder.file("one.raw");
    WriteBytes(input, "UP,K9,,100.000,200.000,100.100,BM");
    FindConverter("ConvertRawToDXF")->run(h.context, input, folder.file("one.dxf"));
    EXPECT_EQ(h.state.TransferStatus, "OK");
    EXPECT_TRUE(h.ui.messages.empty());
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

    CutShortCount unended;
    unended.add(12, true);
    EXPECT_EQ(CutShortText(unended), "1 record(s) were left out because they are cut short: the last one, at line 12,"
                                     " has no line end (as when a transfer ends early).");
    CutShortCount both;
    both.add(9);
    both.add(10);
    both.add(14, true);
    both.afterStation = 2;
    EXPECT_EQ(CutShortText(both), "3 record(s) were left out because they are cut short: 2 end before their last"
                                  " value, the first at line 9, and the last one, at line 14, has no line end (as"
                                  " when a transfer ends early). 2 observation(s) after a station record cut short"
                                  " were left out with it.");

    CutShortCount marked;
    marked.addMarked(4);
    marked.addMarked(30);
    EXPECT_EQ(CutShortText(marked), "2 record(s) marked \"Cut short:\" were left out, the first at line 4: each"
                                    " was the last line of the file, cut off, when more data was appended after it.");
}
