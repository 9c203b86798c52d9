// A coordinate list whose first line is a heading ("Name,North,East,Height,Code", the
// usual first line of a spreadsheet export): every writer of a coordinate list and
// every coordinate upload format leaves that line out and says so, and makes no point
// of it; a list of nothing but the heading gives no result, the warning coming first.
// Only the two plane coordinates make a heading: a code in the elevation's place is a
// point without height.
#include "conversion/ConverterReport.h"
#include "conversion/DxfConverters.h"
#include "conversion/KofCoordinateWriter.h"
#include "conversion/SdrWriter.h"
#include "link/core/UploadBuilders.h"
#include "platform/ByteSink.h"
#include "platform/TextRules.h"

#include "../conversion/CoordTestSupport.h"
#include "../conversion/WriterTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace tavrelo {
namespace {

using testing::ContextHarness;
using testing::CrLf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kLeftOut =
    "1 line(s) were left out because their coordinates hold text that is not a number (a heading line, for example).";

// A KOF coordinate record: point 5-14, code 16-23, the two plane values 25-36 and
// 38-48, elevation 50-57.
std::string KofRecord(const std::string& point, const std::string& code, const std::string& a,
                      const std::string& b, const std::string& elevation)
{
    std::string line = " 05" + std::string(54, ' ');
    const auto put = [&](size_t column, const std::string& text) { line.replace(column - 1, text.size(), text); };
    put(5, point);
    put(16, code);
    put(25, a);
    put(38, b);
    put(50, elevation);
    return line;
}

// What one road made of the list: its output text, and what the user was told.
struct Outcome {
    std::string output;
    std::vector<std::string> messages;
};

// One road from a coordinate list to the instrument or to a file.
struct Road {
    const char* name;
    // The list's heading line and its one point line, in the road's own format.
    std::string heading;
    std::string point;
    // A point of a list without heights whose code stands in the elevation's place,
    // and what the road makes of it.
    std::string codeAsElevation;
    std::string codeAsElevationGives;
    std::function<Outcome(const std::string& input, const TempFolder& folder)> run;
};

Outcome Converted(void (*convert)(ConversionContext&, const std::string&, const std::string&),
                  const std::string& input, const TempFolder& folder)
{
    ContextHarness h;
    const std::string output = folder.file("out.txt");
    convert(h.context, input, output);
    Outcome outcome{ReadBytes(output), {}};
    for (const auto& m : h.ui.messages)
        outcome.messages.push_back(m.text);
    return outcome;
}

Outcome Uploaded(UploadKind kind, const std::string& input)
{
    StringSink out;
    const UploadBuild build = BuildUploadFile(kind, input, out, {});
    Outcome outcome{out.bytes(), {}};
    if (build.leftOut > 0)
        outcome.messages.push_back(LeftOutLinesText(build.leftOut));
    const std::string problem = UploadBuildProblem(build, "list");
    if (!problem.empty())
        outcome.messages.push_back(problem);
    return outcome;
}

std::vector<Road> Roads()
{
    const std::string comma = "P1,6500100.5,600200.25,12.5,TREE";
    const std::string heading = "Name,North,East,Height,Code";
    const auto converted = [](auto convert) {
        return [convert](const std::string& input, const TempFolder& folder) {
            return Converted(convert, input, folder);
        };
    };
    const auto uploaded = [](UploadKind kind) {
        return [kind](const std::string& input, const TempFolder&) { return Uploaded(kind, input); };
    };
    const std::string codeAsElevation = "P1,6500100.5,600200.25,TREE";
    return {
        {"DXF", heading, comma, codeAsElevation, "6500100.5000", converted(&ConvertCoorToDXF)},
        {"KOF", heading, comma, codeAsElevation, "6500100.500    0.000", converted(&ConvertCoorToKOF)},
        {"SDR-33", heading, comma, codeAsElevation,
         "08KIP1              6500100.5       600200.25\r\n", converted(&ConvertCoorToSDR33)},
        {"upload comma", heading, comma, codeAsElevation, "P1,6500100.5,600200.25,0.000,", uploaded(UploadKind::Comma)},
        {"upload blank", "Name North East Height Code", "P1 6500100.5 600200.25 12.5 TREE", "P1 100 200 TREE",
         "P1,100,200,0.000,", uploaded(UploadKind::Space)},
        {"upload KOF", KofRecord("Name", "Code", "North", "East", "Height"),
         KofRecord("P1", "TREE", "6500100.500", "600200.250", "12.500"),
         KofRecord("P1", "", "600200.250", "6500100.500", "TREE"), "P1,6500100.500,600200.250,0.000,", uploaded(UploadKind::Kof)},
    };
}

TEST(HeadingLines, AreLeftOutAndCountedByEveryWriterAndUpload)
{
    for (const Road& road : Roads()) {
        SCOPED_TRACE(road.name);
        TempFolder folder;
        const std::string input = folder.file("list.txt");
        WriteBytes(input, CrLf({road.heading, road.point}));
        const Outcome outcome = road.run(input, folder);
        EXPECT_NE(outcome.output.find("P1"), std::string::npos) << outcome.output;
        for (const char* word : {"Name", "North", "East", "Height"})
            EXPECT_EQ(outcome.output.find(word), std::string::npos) << word << " in\n" << outcome.output;
        EXPECT_EQ(outcome.messages, std::vector<std::string>{kLeftOut});

        // Nothing but the heading: the warning, then the failure it explains.
        WriteBytes(input, CrLf({road.heading}));
        const Outcome headingOnly = road.run(input, folder);
        ASSERT_EQ(headingOnly.messages.size(), 2u);
        EXPECT_EQ(headingOnly.messages[0], kLeftOut);
        EXPECT_TRUE(headingOnly.messages[1] == "This file contains no data"
                    || headingOnly.messages[1].rfind("Nothing to send", 0) == 0)
            << headingOnly.messages[1];

        // Only the plane coordinates decide: a code in the elevation's place keeps the
        // point, its elevation 0 (or empty where the road copies the fields).
        WriteBytes(input, CrLf({road.codeAsElevation}));
        const Outcome code = road.run(input, folder);
        EXPECT_NE(code.output.find(road.codeAsElevationGives), std::string::npos) << code.output;
        EXPECT_EQ(code.output.find("TREE"), std::string::npos) << code.output; // no elevation "TREE"
        EXPECT_EQ(code.messages, std::vector<std::string>{});
    }
}

// The drawing read back by GDAL: every entity at the site, none at the origin, and
// the extents in the header from the site's point only.
TEST(HeadingLines, GiveNoDxfEntityAtTheOrigin)
{
    if (!testing::HasProgram("ogr2ogr"))
        GTEST_SKIP() << "ogr2ogr (Debian package gdal-bin) is not installed";
    TempFolder folder;
    const std::string input = folder.file("list.asc");
    WriteBytes(input, CrLf({"Name,North,East,Height,Code", "P1,6500100.5,600200.25,12.5,TREE",
                            "P2,6500000,600000,10,"}));
    ContextHarness h;
    const std::string out = folder.file("out.dxf");
    ConvertCoorToDXF(h.context, input, out);
    std::string csv;
    ASSERT_TRUE(testing::RunCommand("ogr2ogr -f CSV /vsistdout/ '" + out + "' -lco GEOMETRY=AS_XYZ", csv)) << csv;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line); // the column names
    int features = 0;
    while (std::getline(lines, line)) {
        ++features;
        EXPECT_EQ(line.rfind("600", 0), 0u) << line; // x, the easting, at the site
        EXPECT_EQ(line.find("Name"), std::string::npos) << line;
    }
    EXPECT_GT(features, 2);
    // $EXTMIN's X (group 10): the smaller easting of the two points, not 0.
    std::istringstream drawing(ReadBytes(out));
    std::string group;
    while (std::getline(drawing, group) && group.rfind("$EXTMIN", 0) != 0) {
    }
    std::string code, value;
    std::getline(drawing, code);
    std::getline(drawing, value);
    EXPECT_EQ(Val(code), 10.0) << code;
    EXPECT_DOUBLE_EQ(Val(value), 600000.0) << value;
}

} // namespace
} // namespace tavrelo
