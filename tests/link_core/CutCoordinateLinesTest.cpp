// A coordinate list or KOF file whose last line was cut off inside it, as a download
// that hung up mid-line leaves it ("P7,6500100.500,6002" for a point 600210 m east),
// on every road that reads one: each converter of coordinate files in the registry,
// the map's loader and the three uploads of coordinates. The line is left out wherever
// it was cut, and one warning in the words of raw data says so; a cut from the
// easting on would have made a wrong point (an empty easting reads as 0, a cut code
// reads as a whole one: no reader can know), a cut before it a line passed over
// without a word. A line an append marked cut short is left out and told the same way.
// A file without any line end is one whole line, read as ever.
#include "conversion/ConverterRegistry.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/CoordinateListLoader.h"
#include "conversion/CoordinateListWriters.h"
#include "conversion/CutShortRecords.h"
#include "conversion/DxfConverters.h"
#include "conversion/KofCoordinateWriter.h"
#include "link/core/UploadBuilders.h"
#include "map/core/MapTables.h"
#include "platform/ByteSink.h"

#include "../conversion/CoordTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace tavrelo {
namespace {

using testing::ContextHarness;
using testing::CrLf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

enum class Format { Comma, Blank, Kof };

struct Point {
    std::string name, north, east, height, code;
};
const Point kP1{"P1", "6500100.500", "600200.250", "12.500", "TREE"};
const Point kP2{"P2", "6500110.000", "600190.000", "11.000", "WALL"};
const Point kP7{"P7", "6500105.500", "600210.000", "12.300", "POLE"};

// A KOF coordinate record: point 5-14, code 16-23, easting 25-36, northing 38-48,
// elevation 50-57.
std::string KofRecord(const Point& p)
{
    std::string line = " 05" + std::string(54, ' ');
    const auto put = [&](size_t column, const std::string& text) { line.replace(column - 1, text.size(), text); };
    put(5, p.name);
    put(16, p.code);
    put(37 - p.east.size(), p.east);
    put(49 - p.north.size(), p.north);
    put(58 - p.height.size(), p.height);
    return line;
}

std::string LineOf(Format format, const Point& p)
{
    if (format == Format::Kof)
        return KofRecord(p);
    const std::string s = format == Format::Comma ? "," : " ";
    return p.name + s + p.north + s + p.east + s + p.height + s + p.code;
}

// What a road made of a file: its output and what the user was told.
struct Outcome {
    std::string output;
    std::vector<std::string> messages;
};

// The SDR-33 header carries the time of the run.
std::string WithoutClock(const std::string& output)
{
    std::string kept;
    for (size_t at = 0; at < output.size();) {
        size_t end = output.find('\n', at);
        end = end == std::string::npos ? output.size() : end + 1;
        const std::string line = output.substr(at, end - at);
        if (line.rfind("00NM", 0) != 0 && line.rfind("13NM Date", 0) != 0)
            kept += line;
        at = end;
    }
    return kept;
}

struct Road {
    std::string name;
    Format format;
    std::function<Outcome(const std::string& input, const TempFolder& folder)> run;
};

Outcome Converted(const ConverterEntry& entry, const std::string& input, const TempFolder& folder)
{
    ContextHarness h;
    const std::string output = folder.file("out");
    std::remove(output.c_str());
    entry.run(h.context, input, output);
    Outcome outcome{WithoutClock(ReadBytes(output)), {}};
    for (const auto& m : h.ui.messages)
        outcome.messages.push_back(m.text);
    return outcome;
}

Outcome Loaded(const std::string& input)
{
    MapTables tables;
    int error = 0;
    CutShortCount cut;
    LoadCoordinateList(tables, input, 0, error, nullptr, &cut);
    Outcome outcome;
    for (int32_t i = 1; i <= tables.CooPointCount(); ++i)
        outcome.output += std::string(tables.PointNames[i]) + " " + std::to_string(tables.CooPoints[i].X) + " " +
                          std::to_string(tables.CooPoints[i].Y) + " " + std::to_string(tables.CooPoints[i].H) + " " +
                          std::string(tables.PointCodes[i]) + "\n";
    if (cut.any())
        outcome.messages.push_back(CutShortText(cut));
    return outcome;
}

Outcome Uploaded(UploadKind kind, const std::string& input)
{
    StringSink out;
    const UploadBuild build = BuildUploadFile(kind, input, out, {});
    Outcome outcome{out.bytes(), {}};
    const std::string leftOut = UploadLeftOutText(build);
    if (!leftOut.empty())
        outcome.messages.push_back(leftOut);
    return outcome;
}

// Every converter of coordinate files in the registry, those added later among them,
// the map's loader and the uploads.
std::vector<Road> Roads()
{
    std::vector<Road> roads;
    for (const ConverterEntry& entry : Converters())
        if (!entry.reads.any())
            roads.push_back({entry.name, Format::Comma, [&entry](const std::string& input, const TempFolder& folder) {
                                 return Converted(entry, input, folder);
                             }});
    roads.push_back({"map File > Open", Format::Comma,
                     [](const std::string& input, const TempFolder&) { return Loaded(input); }});
    const struct {
        const char* name;
        Format format;
        UploadKind kind;
    } uploads[] = {{"upload comma", Format::Comma, UploadKind::Comma},
                   {"upload blank", Format::Blank, UploadKind::Space},
                   {"upload KOF", Format::Kof, UploadKind::Kof}};
    for (const auto& u : uploads)
        roads.push_back({u.name, u.format, [kind = u.kind](const std::string& input, const TempFolder&) {
                             return Uploaded(kind, input);
                         }});
    return roads;
}

// Where the last line is cut: the first characters of one of its fields (0: just
// before it).
struct Cut {
    const char* where;
    std::string Point::*field;
    size_t kept;
};
const Cut kCuts[] = {
    {"inside the name", &Point::name, 1},          {"inside the northing", &Point::north, 2},
    {"just before the easting", &Point::east, 0},  {"inside the easting", &Point::east, 4},
    {"inside the elevation", &Point::height, 2},   {"inside the code", &Point::code, 2},
};

std::string CutLine(Format format, const Cut& cut)
{
    const std::string line = LineOf(format, kP7);
    const size_t at = line.find(kP7.*cut.field);
    EXPECT_NE(at, std::string::npos) << cut.where;
    return line.substr(0, at + cut.kept);
}

const char* const kLastLineCut = "1 record(s) were left out because they are cut short: the last one, at line 3, "
                                 "has no line end (as when a transfer ends early).";

} // namespace

TEST(CutCoordinateLines, EveryRoadIsHeldToTheRule)
{
    std::vector<std::string> names;
    for (const Road& road : Roads())
        names.push_back(road.name);
    for (const char* name : {"ConvertCoorToUserCoor", "ConvertCoorToDXF", "ConvertCoorToKOF", "ConvertCoorToSDR33"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST(CutCoordinateLines, TheLastLineCutOffIsLeftOutWhereverItWasCut)
{
    TempFolder folder;
    const std::string input = folder.file("list.txt");
    for (const Road& road : Roads()) {
        const std::string whole = CrLf({LineOf(road.format, kP1), LineOf(road.format, kP2)});
        WriteBytes(input, whole);
        const Outcome expected = road.run(input, folder);
        ASSERT_NE(expected.output.find("P2"), std::string::npos) << road.name << "\n" << expected.output;
        ASSERT_TRUE(expected.messages.empty()) << road.name << ": " << expected.messages[0];
        for (const Cut& cut : kCuts) {
            const std::string last = CutLine(road.format, cut);
            WriteBytes(input, whole + last);
            const Outcome outcome = road.run(input, folder);
            EXPECT_EQ(outcome.output, expected.output) << road.name << ", cut " << cut.where << ": " << last;
            EXPECT_EQ(outcome.messages, std::vector<std::string>{kLastLineCut})
                << road.name << ", cut " << cut.where << ": " << last;
        }
    }
}

TEST(CutCoordinateLines, ALineAnAppendMarkedIsLeftOutAndCounted)
{
    TempFolder folder;
    const std::string input = folder.file("list.txt");
    const Cut inEasting = kCuts[3];
    for (const Road& road : Roads()) {
        WriteBytes(input, CrLf({LineOf(road.format, kP1), LineOf(road.format, kP2)}));
        const Outcome expected = road.run(input, folder);
        const std::string mark(road.format == Format::Kof ? kKofCutShortMark : kCutShortMark);
        WriteBytes(input, CrLf({LineOf(road.format, kP1), mark + CutLine(road.format, inEasting),
                                LineOf(road.format, kP2)}));
        const Outcome outcome = road.run(input, folder);
        EXPECT_EQ(outcome.output, expected.output) << road.name;
        EXPECT_EQ(outcome.messages,
                  std::vector<std::string>{"1 record(s) marked \"Cut short:\" were left out, the first at line 2: "
                                           "each was the last line of the file, cut off, when more data was appended "
                                           "after it."})
            << road.name;
    }
}

TEST(CutCoordinateLines, AFileWithoutAnyLineEndIsOneWholeLine)
{
    TempFolder folder;
    const std::string input = folder.file("list.txt");
    for (const Road& road : Roads()) {
        WriteBytes(input, CrLf({LineOf(road.format, kP7)}));
        const Outcome ended = road.run(input, folder);
        ASSERT_NE(ended.output.find("P7"), std::string::npos) << road.name << "\n" << ended.output;
        WriteBytes(input, LineOf(road.format, kP7));
        const Outcome outcome = road.run(input, folder);
        EXPECT_EQ(outcome.output, ended.output) << road.name;
        EXPECT_EQ(outcome.messages, std::vector<std::string>{}) << road.name;
    }
}

// The old target of an append ends in a line cut off inside it: the writer that
// appends puts the mark before that line, keeping every byte, and says so; every
// reader after it leaves the line out and tells it. The line is the second of the
// target: the warning names it.
TEST(CutCoordinateLines, AnAppendKeepsTheCutLineLeftOutForEveryLaterReader)
{
    const struct {
        const char* what;
        Format format;
        void (*append)(ConversionContext&, const std::string&, const std::string&);
        std::function<Outcome(const std::string& input, const TempFolder& folder)> read;
    } cases[] = {
        {"a coordinate list", Format::Comma,
         [](ConversionContext& c, const std::string& in, const std::string& out) { ConvertCoorToUserCoor(c, in, out); },
         [](const std::string& input, const TempFolder& folder) {
             return Converted(*FindConverter("ConvertCoorToDXF"), input, folder);
         }},
        {"a KOF file", Format::Kof, ConvertCoorToKOF,
         [](const std::string& input, const TempFolder&) { return Uploaded(UploadKind::Kof, input); }},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string received = folder.file("received.asc");
        WriteBytes(received, CrLf({LineOf(Format::Comma, kP2)}));
        const std::string target = folder.file("job");
        const std::string cut = CutLine(c.format, kCuts[3]);
        const std::string old = CrLf({LineOf(c.format, kP1)}) + cut;
        WriteBytes(target, old);

        ContextHarness h;
        h.state.OutputFileMode = 1;
        c.append(h.context, received, target);
        EXPECT_EQ(h.state.TransferStatus, "OK") << c.what;
        const std::string mark(c.format == Format::Kof ? kKofCutShortMark : kCutShortMark);
        const std::string written = ReadBytes(target);
        EXPECT_EQ(written.substr(0, old.size() + mark.size() + 2), CrLf({LineOf(c.format, kP1), mark + cut}))
            << c.what;
        ASSERT_EQ(h.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(h.ui.messages[0].text,
                  "The last line of " + target + " (\"" + cut + "\") had no line end, as when a transfer ends early. "
                  "It is a point cut short: so that no reader takes it for a whole one, it is now line 2 (\"" + mark +
                      cut + "\"), which this program's readers leave out and count, and the new lines follow it.")
            << c.what;
        EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Information) << c.what;

        const Outcome read = c.read(target, folder);
        EXPECT_EQ(read.output.find("P7"), std::string::npos) << c.what << "\n" << read.output;
        EXPECT_NE(read.output.find("P2"), std::string::npos) << c.what << "\n" << read.output;
        EXPECT_EQ(read.messages,
                  std::vector<std::string>{"1 record(s) marked \"Cut short:\" were left out, the first at line 2: "
                                           "each was the last line of the file, cut off, when more data was appended "
                                           "after it."})
            << c.what;
    }
}

} // namespace tavrelo
