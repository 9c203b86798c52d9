#include "CoordTestSupport.h"
#include "WriterTestSupport.h"

#include "app/SettingsFileSaver.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/DxfConverters.h"
#include "conversion/DxfEmitter.h"
#include "conversion/DxfOptions.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

const char* const kPointLine = "P1,6500100.000,500200.000,12.345,TREE";

// The entities: what lies between the header, which ends with the "0" of the first
// entity, and the end lines. Each entity then reads from its name to its closing "0".
std::string Entities(const std::string& drawing)
{
    const std::string open = "  2\r\nENTITIES\r\n  0\r\n";
    const std::string close = "ENDSEC\r\n 0\r\nEOF\r\n";
    const size_t start = drawing.find(open);
    if (start == std::string::npos || drawing.size() < start + open.size() + close.size() ||
        drawing.compare(drawing.size() - close.size(), close.size(), close) != 0)
        return "<not a drawing>";
    return drawing.substr(start + open.size(), drawing.size() - close.size() - start - open.size());
}

struct DxfRun : ContextHarness {
    TempFolder folder;
    DxfOptions options;

    std::string convert(const std::string& input, bool raw = false)
    {
        const std::string in = folder.file(raw ? "in.raw" : "in.asc");
        WriteBytes(in, input);
        return convertFile(in, raw);
    }
    std::string convertFile(const std::string& in, bool raw = false)
    {
        context.dxf = &options;
        const std::string out = folder.file("out.dxf");
        (raw ? ConvertRawToDXF : ConvertCoorToDXF)(context, in, out);
        return ReadBytes(out);
    }
};

} // namespace

TEST(DxfOptions, LoadsDefaultsAndStoredValues)
{
    const DxfOptions defaults = LoadDxfOptions(Profile(""));
    EXPECT_EQ(defaults.pointLayer, "PT");
    EXPECT_TRUE(defaults.output3D);
    for (int row = 0; row < 3; ++row) {
        EXPECT_TRUE(defaults.labels[row].enabled);
        EXPECT_EQ(defaults.labels[row].layer, std::string(row == 0 ? "PN" : row == 1 ? "EL" : "CD"));
        EXPECT_EQ(defaults.labels[row].textSize, "1");
        EXPECT_EQ(defaults.labels[row].colourTag, "0");
    }

    const struct {
        const char* lines;
        std::function<bool(const DxfOptions&)> holds;
    } cases[] = {
        {"Dxf_Check_Elevation=0", [](auto& o) { return !o.labels[1].enabled && o.labels[0].enabled; }},
        {"Dxf_Check_Elevation=0.4", [](auto& o) { return !o.labels[1].enabled; }},
        {"Dxf_Check_Elevation=0.6", [](auto& o) { return o.labels[1].enabled; }},
        {"Dxf_Check_Code=99999999", [](auto& o) { return o.labels[2].enabled; }}, // too large: default
        {"Dxf_Check_Code=", [](auto& o) { return o.labels[2].enabled; }},
        {"Dxf_Option3D=2", [](auto& o) { return !o.output3D; }},
        {"Dxf_Option3D=0", [](auto& o) { return o.output3D; }},
        {"Dxf_ColorCode=9", [](auto& o) { return o.labels[2].colourTag == "9" && o.labelColour(2) == 7; }},
        {"Dxf_ColorElevation= 3", [](auto& o) { return o.labelColour(1) == 4; }},
        {"Dxf_Point_Layer=POINTS\r\nDxf_Code_Layer=KODE\r\nDxf_Code_TS=2.5",
         [](auto& o) { return o.pointLayer == "POINTS" && o.labels[2].layer == "KODE" && o.labelHeight(2) == 2.5; }},
    };
    for (const auto& c : cases) {
        const DxfOptions options = LoadDxfOptions(Profile(std::string("[DXF Settings]\r\n") + c.lines + "\r\n"));
        EXPECT_TRUE(c.holds(options)) << c.lines;
    }
}

TEST(DxfOptions, LabelColourAndHeightRules)
{
    const struct { const char* tag; int colour; } colours[] = {
        {"0", 1}, {"7", 8}, {"8", 7}, {"-1", 7}, {"", 1}, {"red", 1}, {" 3", 4}, {"0.5", 2}, {"1e12", 7},
    };
    for (const auto& c : colours) {
        DxfOptions options;
        options.labels[0].colourTag = c.tag;
        EXPECT_EQ(options.labelColour(0), c.colour) << '"' << c.tag << '"';
    }
    const struct { const char* size; double height; } heights[] = {
        {"1", 1}, {" 2.5 ", 2.5}, {"100", 100}, {"abc", 1}, {"", 1}, {"2x", 1},
    };
    for (const auto& c : heights) {
        DxfOptions options;
        options.labels[1].textSize = c.size;
        EXPECT_EQ(options.labelHeight(1), c.height) << '"' << c.size << '"';
    }
}

TEST(DxfOptions, SavesTheFourteenKeysAndReadsThemBack)
{
    TempFolder folder;
    const std::string ini = folder.file("Tavrelo.ini");
    WriteBytes(ini, "[DXF Settings]\r\nDxf_Point_Layer=OLD\r\n");
    DxfOptions options;
    options.pointLayer = "PT2";
    options.labels[1].enabled = false;
    options.labels[2].textSize = "2.5";
    options.labels[0].colourTag = " 3";
    options.output3D = false;
    ASSERT_TRUE(SaveSettingsValues(DxfSettingsValues(options), ini).ok());
    EXPECT_EQ(ReadBytes(ini), CrLf({"[DXF Settings]", "Dxf_Point_Layer=PT2", "Dxf_PointName_Layer=PN",
                                    "Dxf_Elevation_Layer=EL", "Dxf_Code_Layer=CD", "Dxf_PointName_TS=1",
                                    "Dxf_Elevation_TS=1", "Dxf_Code_TS=2.5", "Dxf_Check_PointName=1",
                                    "Dxf_Check_Elevation=0", "Dxf_Check_Code=1", "Dxf_Option3D=1",
                                    "Dxf_ColorPointName= 3", "Dxf_ColorElevation=0", "Dxf_ColorCode=0"}));
    Profile saved;
    ASSERT_TRUE(saved.load(ini));
    const DxfOptions back = LoadDxfOptions(saved);
    EXPECT_EQ(back.pointLayer, "PT2");
    EXPECT_FALSE(back.labels[1].enabled);
    EXPECT_FALSE(back.output3D);
    EXPECT_EQ(back.labels[0].colourTag, "3"); // the reader trims the value
}

// The emitter's own number formatting must give FormatMask's text for every value:
// halves (rounded away from zero), values that round to zero, huge and odd values, and
// a sweep over steps of half the last decimal, where every other value is a tie.
TEST(DxfEmitter, NumbersAsTheirMasksFormatThem)
{
    std::vector<double> values = {0, -0.0, 0.00005, -0.00005, -0.00004, 0.00015, 2.5e-5, 0.1 + 0.2, 1234.5,
                                  -1234.56785, 6500099.99995, 6500099.5, 9999999, -9999999, 123456789.12345,
                                  999999999999.99995, 1e15, -1e16, 1e300, std::nan(""), HUGE_VAL, 0.0005, -0.0015};
    for (int i = -20000; i <= 20000; ++i)
        values.push_back(i * 0.00005 + (i % 7) * 1000.0);
    for (double value : values) {
        StringSink sink;
        {
            DxfEmitter out(sink);
            out.coordinate(" 10", value);
            out.coordinate(" 10", value); // the kept text of the same value
            out.extent(" 20", value);
            out.height("40", value);
        }
        const std::string four = FormatMask(value, "0.0000"), three = FormatMask(value, "0.000");
        EXPECT_EQ(sink.bytes(), CrLf({" 10", four, " 10", four, " 20", three, "40", three})) << value;
    }
}

TEST(DxfWriter, InputWithoutPointsIsNoDrawing)
{
    // A drawing of no points would be a header alone: no file, and no success.
    DxfRun run;
    EXPECT_EQ(run.convertFile(Fixture("dxf_no_points.asc")), "");
    EXPECT_FALSE(Exists(run.folder.file("out.dxf")));
    EXPECT_EQ(run.state.TransferStatus, "E");
    ASSERT_EQ(run.ui.messages.size(), 1u);
    EXPECT_EQ(run.ui.messages[0].text, "This file contains no data");
}

// The whole file: header with the extents (easting on X), the entities, the end lines.
// The header is the same in 2D, which drops only the " 30" lines.
TEST(DxfWriter, WholeDrawingAndItsHeaderIn2D)
{
    const std::string expected = ReadBytes(Fixture("dxf_points_nez_expected.dxf"));
    DxfRun run;
    EXPECT_EQ(run.convertFile(Fixture("dxf_points_nez.asc")), expected);

    DxfRun flat;
    flat.options.output3D = false;
    const std::string drawing = flat.convertFile(Fixture("dxf_points_nez.asc"));
    std::string withoutZ = expected;
    for (size_t at; (at = withoutZ.find("\r\n 30\r\n")) != std::string::npos;)
        withoutZ.erase(at + 2, withoutZ.find("\r\n", at + 7) + 2 - (at + 2));
    EXPECT_EQ(drawing, withoutZ);
}

TEST(DxfWriter, EntitiesByOptions)
{
    const std::string point3d = CrLf({"POINT", "  8", "PT", " 62", "0", " 10", "500200.0000", " 20",
                                      "6500100.0000", " 30", "12.3450", "  0"});
    const struct {
        const char* what;
        std::function<void(DxfRun&)> set;
        std::string line;
        std::string entities;
    } cases[] = {
        {"defaults: 3D, three labels half a height right, 0.5, 1.7 and 2.9 heights down", [](DxfRun&) {}, kPointLine,
         point3d + CrLf({"TEXT", "  8", "PN", " 62", "1", "  1", "P1", " 10", "500200.5000", " 20",
                         "6500099.5000", " 30", "12.3450", " 40", "1.000", "  0",
                         "TEXT", "  8", "EL", " 62", "1", "  1", "12.345", " 10", "500200.5000", " 20",
                         "6500098.3000", " 30", "12.3450", " 40", "1.000", "  0",
                         "TEXT", "  8", "CD", " 62", "1", "  1", "TREE", " 10", "500200.5000", " 20",
                         "6500097.1000", " 30", "12.3450", " 40", "1.000", "  0"})},
        {"E-N-Z input gives the same drawing; 4 fields: no code label", [](DxfRun& r) { r.context.coordinateOrder = 1; },
         "P1,500200.000,6500100.000,12.345",
         point3d + CrLf({"TEXT", "  8", "PN", " 62", "1", "  1", "P1", " 10", "500200.5000", " 20",
                         "6500099.5000", " 30", "12.3450", " 40", "1.000", "  0",
                         "TEXT", "  8", "EL", " 62", "1", "  1", "12.345", " 10", "500200.5000", " 20",
                         "6500098.3000", " 30", "12.3450", " 40", "1.000", "  0"})},
        {"2D, name row off: the elevation 1.2 heights down", [](DxfRun& r) {
             r.options.output3D = false;
             r.options.labels[0].enabled = false;
             r.options.labels[2].enabled = false;
         }, kPointLine,
         CrLf({"POINT", "  8", "PT", " 62", "0", " 10", "500200.0000", " 20", "6500100.0000", "  0",
               "TEXT", "  8", "EL", " 62", "1", "  1", "12.345", " 10", "500200.5000", " 20", "6500098.8000",
               " 40", "1.000", "  0"})},
        {"heights, colours; an unreadable size is 1", [](DxfRun& r) {
             r.options.output3D = false;
             r.options.labels[0] = {true, "PN", "2", "6"};
             r.options.labels[1] = {true, "EL", "0.5", "7"};
             r.options.labels[2] = {true, "CD", "big", "8"};
         }, kPointLine,
         CrLf({"POINT", "  8", "PT", " 62", "0", " 10", "500200.0000", " 20", "6500100.0000", "  0",
               "TEXT", "  8", "PN", " 62", "7", "  1", "P1", " 10", "500201.0000", " 20", "6500099.0000",
               " 40", "2.000", "  0",
               "TEXT", "  8", "EL", " 62", "8", "  1", "12.345", " 10", "500201.0000", " 20", "6500098.4000",
               " 40", "0.500", "  0",
               "TEXT", "  8", "CD", " 62", "7", "  1", "TREE", " 10", "500201.0000", " 20", "6500097.2000",
               " 40", "1.000", "  0"})},
        {"empty name and empty code layer write nothing; the rows still move down", [](DxfRun& r) {
             r.options.output3D = false;
             r.options.labels[2].layer = "";
         }, ",6500100.000,500200.000,12.345,TREE",
         CrLf({"POINT", "  8", "PT", " 62", "0", " 10", "500200.0000", " 20", "6500100.0000", "  0",
               "TEXT", "  8", "EL", " 62", "1", "  1", "12.345", " 10", "500200.5000", " 20", "6500098.3000",
               " 40", "1.000", "  0"})},
        {"a list without heights: the point at elevation 0, no elevation label", [](DxfRun&) {},
         "P2,6500110.000,500210.000",
         CrLf({"POINT", "  8", "PT", " 62", "0", " 10", "500210.0000", " 20", "6500110.0000", " 30", "0.0000", "  0",
               "TEXT", "  8", "PN", " 62", "1", "  1", "P2", " 10", "500210.5000", " 20", "6500109.5000",
               " 30", "0.0000", " 40", "1.000", "  0"})},
        {"layer names made valid, a control character becomes ?, undefined bytes stay", [](DxfRun& r) {
             r.options.output3D = false;
             r.options.pointLayer = "A/B";
             r.options.labels[1].enabled = false;
             r.options.labels[2].enabled = false;
         }, "P\x81\x7f\x8d\x8f\x90\x9d\xe9,-0.00001,-1.23456,0",
         CrLf({"POINT", "  8", "A_B", " 62", "0", " 10", "-1.2346", " 20", "0.0000", "  0",
               "TEXT", "  8", "PN", " 62", "1", "  1", "P\x81?\x8d\x8f\x90\x9d\xe9", " 10", "-0.7346", " 20", "-0.5000",
               " 40", "1.000", "  0"})},
    };
    for (const auto& c : cases) {
        DxfRun run;
        c.set(run);
        EXPECT_EQ(Entities(run.convert(c.line + "\r\n")), c.entities) << c.what;
        EXPECT_EQ(run.state.TransferStatus, "OK") << c.what;
    }
}

TEST(DxfWriter, RawRecordsFollowTheirCoordOrderLine)
{
    DxfRun run;
    run.options.output3D = false;
    for (auto& label : run.options.labels)
        label.enabled = false;
    const std::string entities = Entities(run.convertFile(Fixture("dxf_coordinates.raw"), true));
    // UP and MP before the ENZ line, CC and RE after it; ST, SS and UC records give nothing.
    std::string expected;
    for (const auto& [x, y] : std::vector<std::pair<const char*, const char*>>{
             {"500200.0000", "6500100.0000"}, {"500000.0000", "6500000.0000"},
             {"500300.0000", "6500400.0000"}, {"500000.0000", "6500000.0000"}})
        expected += CrLf({"POINT", "  8", "PT", " 62", "0", " 10", x, " 20", y, "  0"});
    EXPECT_EQ(entities, expected);
    EXPECT_EQ(run.state.TransferStatus, "OK");
}

TEST(DxfWriter, AppendToAnExistingDrawingIsRefused)
{
    DxfRun run;
    const std::string out = run.folder.file("out.dxf");
    WriteBytes(out, "old drawing");
    run.state.OutputFileMode = 1;
    for (auto convert : {ConvertCoorToDXF, ConvertRawToDXF}) {
        run.ui.clear();
        convert(run.context, Fixture("dxf_points_nez.asc"), out);
        EXPECT_EQ(ReadBytes(out), "old drawing");
        EXPECT_EQ(run.state.TransferStatus, "E");
        ASSERT_EQ(run.ui.messages.size(), 1u);
        EXPECT_NE(run.ui.messages[0].text.find("cannot be appended"), std::string::npos);
        EXPECT_NE(run.ui.messages[0].text.find("Choose Overwite to replace"), std::string::npos);
        EXPECT_EQ(run.ui.messages[0].title, "Error");
        EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Critical);
    }
    // Append to a file that does not exist yet is simply a new drawing.
    std::remove(out.c_str());
    ConvertCoorToDXF(run.context, Fixture("dxf_points_nez.asc"), out);
    EXPECT_EQ(run.state.TransferStatus, "OK");
    EXPECT_NE(Entities(ReadBytes(out)), "<not a drawing>");
}

TEST(DxfWriter, FailuresLeaveTheOldTargetAndEndWithE)
{
    const struct {
        const char* what;
        std::function<void(DxfRun&, std::string& in, std::string& out)> set;
    } cases[] = {
        {"missing input", [](DxfRun& r, std::string& in, std::string&) { in = r.folder.file("none.asc"); }},
        {"input is a folder", [](DxfRun& r, std::string& in, std::string&) { in = r.folder.path(); }},
        {"target folder missing", [](DxfRun& r, std::string&, std::string& out) { out = r.folder.file("no/out.dxf"); }},
        {"target cannot be replaced", [](DxfRun& r, std::string&, std::string& out) {
             out = r.folder.file("adir");
             ::mkdir(out.c_str(), 0755);
         }},
    };
    for (const auto& c : cases) {
        DxfRun run;
        std::string in = Fixture("dxf_points_nez.asc");
        std::string out = run.folder.file("out.dxf");
        WriteBytes(out, "old drawing");
        c.set(run, in, out);
        ConvertCoorToDXF(run.context, in, out);
        EXPECT_EQ(run.state.TransferStatus, "E") << c.what;
        EXPECT_EQ(run.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ReadBytes(run.folder.file("out.dxf")), "old drawing") << c.what;
        EXPECT_FALSE(run.ui.busy) << c.what;
    }
}

TEST(DxfWriter, WriteFailingPartWayLeavesTheOldTarget)
{
    DxfRun run;
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += "P" + std::to_string(i) + ",6500000.000,500000.000,10.000,CODE\r\n";
    const std::string in = run.folder.file("many.asc");
    const std::string out = run.folder.file("out.dxf");
    WriteBytes(in, many);
    WriteBytes(out, "old drawing");
    {
        FileSizeLimit limit(200000); // the drawing is about 1 MB
        ConvertCoorToDXF(run.context, in, out);
    }
    EXPECT_EQ(run.state.TransferStatus, "E");
    EXPECT_EQ(run.ui.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(out), "old drawing");
}

TEST(DxfWriter, EmptyPathsTouchNothing)
{
    DxfRun run;
    ConvertCoorToDXF(run.context, "", run.folder.file("out.dxf"));
    EXPECT_EQ(run.state.TransferStatus, "E");
    ConvertRawToDXF(run.context, Fixture("dxf_coordinates.raw"), "");
    EXPECT_EQ(run.state.TransferStatus, "E");
    EXPECT_TRUE(run.ui.messages.empty());
    EXPECT_FALSE(Exists(run.folder.file("out.dxf")));
}

TEST(DxfWriter, ReachableByName)
{
    EXPECT_EQ(FindConverter("ConvertCoorToDXF")->run, &ConvertCoorToDXF);
    EXPECT_EQ(FindConverter("ConvertRawToDXF")->run, &ConvertRawToDXF);
}

namespace {

// One feature of GDAL's CSV: X, Y, Z, layer and text (the other columns are empty).
struct ReadPoint {
    double x, y, z;
    std::string layer, text;
};

std::vector<ReadPoint> ParseGdalCsv(const std::string& csv)
{
    std::vector<ReadPoint> points;
    std::string body = csv.substr(csv.find('\n') + 1);
    std::vector<std::string> cells;
    for (std::string line; !body.empty(); body.erase(0, line.size() + 1)) {
        line = body.substr(0, body.find('\n'));
        cells.clear();
        std::string cell;
        for (char c : line + ",")
            if (c == ',') {
                cells.push_back(cell);
                cell.clear();
            } else if (c != '"') {
                cell += c;
            }
        if (cells.size() >= 9)
            points.push_back({std::stod(cells[0]), std::stod(cells[1]), std::stod(cells[2]), cells[3], cells[8]});
    }
    return points;
}

} // namespace

// Outside readers: GDAL must find every point and label where we put them, and
// ezdxf's audit must find nothing wrong.
TEST(DxfWriter, ReadBackByGdalAndAuditedByEzdxf)
{
    if (!HasProgram("ogr2ogr"))
        GTEST_SKIP() << "ogr2ogr (Debian package gdal-bin) is not installed";
    const std::string python = PythonWithEzdxf();
    const std::vector<ReadPoint> coordinates = {
        {500200, 6500100, 12.345, "PT", ""}, {500200.5, 6500099.5, 12.345, "PN", "P1"},
        {500200.5, 6500098.3, 12.345, "EL", "12.345"}, {500200.5, 6500097.1, 12.345, "CD", "TREE"},
        {500000.25, 6500000.5, 10, "PT", ""}, {500000.75, 6500000, 10, "PN", "P2"},
        {500000.75, 6499998.8, 10, "EL", "10"}};
    std::vector<ReadPoint> flat = coordinates;
    for (ReadPoint& p : flat)
        p.z = 0;
    const std::vector<ReadPoint> raw = {
        {500200, 6500100, 12.345, "PT", ""}, {500200.5, 6500099.5, 12.345, "PN", "K1"},
        {500200.5, 6500098.3, 12.345, "EL", "12.345"}, {500200.5, 6500097.1, 12.345, "CD", "TREE"},
        {500000, 6500000, 0, "PT", ""}, {500000.5, 6499999.5, 0, "PN", "K2"},
        {500300, 6500400, 5, "PT", ""}, {500300.5, 6500399.5, 5, "PN", "K3"},
        {500300.5, 6500398.3, 5, "EL", "5.000"},
        {500000, 6500000, 1, "PT", ""}, {500000.5, 6499999.5, 1, "PN", "K4"},
        {500000.5, 6499998.3, 1, "EL", "1.000"}, {500000.5, 6499997.1, 1, "CD", "WALL"}};
    const std::vector<ReadPoint> noHeights = {
        {500200, 6500100, 0, "PT", ""}, {500200.5, 6500099.5, 0, "PN", "P1"},
        {500210, 6500110, 0, "PT", ""}, {500210.5, 6500109.5, 0, "PN", "P2"}};
    const struct {
        const char* what;
        bool raw;
        bool output3D;
        const char* fixture;
        const std::vector<ReadPoint>& points;
    } cases[] = {
        {"coordinate file, 3D", false, true, "dxf_points_nez.asc", coordinates},
        {"coordinate file without heights, 3D", false, true, "dxf_points_no_heights.asc", noHeights},
        {"coordinate file, 2D", false, false, "dxf_points_nez.asc", flat},
        {"raw data", true, true, "dxf_coordinates.raw", raw},
    };
    for (const auto& c : cases) {
        DxfRun run;
        run.options.output3D = c.output3D;
        run.convertFile(Fixture(c.fixture), c.raw);
        const std::string out = run.folder.file("out.dxf");
        std::string csv;
        ASSERT_TRUE(RunCommand("ogr2ogr -f CSV /vsistdout/ '" + out + "' -lco GEOMETRY=AS_XYZ", csv)) << csv;
        const std::vector<ReadPoint> read = ParseGdalCsv(csv);
        ASSERT_EQ(read.size(), c.points.size()) << c.what << "\n" << csv;
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_NEAR(read[i].x, c.points[i].x, 1e-6) << c.what << " feature " << i;
            EXPECT_NEAR(read[i].y, c.points[i].y, 1e-6) << c.what << " feature " << i;
            EXPECT_NEAR(read[i].z, c.points[i].z, 1e-6) << c.what << " feature " << i;
            EXPECT_EQ(read[i].layer, c.points[i].layer) << c.what << " feature " << i;
            EXPECT_EQ(read[i].text, c.points[i].text) << c.what << " feature " << i;
        }
        if (python.empty())
            continue;
        std::string audit;
        EXPECT_TRUE(RunCommand(python + " -m ezdxf audit '" + out + "'", audit)) << c.what << audit;
        EXPECT_NE(audit.find("No errors found"), std::string::npos) << c.what << audit;
    }
    if (python.empty())
        GTEST_SKIP() << "ezdxf (Debian package python3-ezdxf) is not installed: read back by GDAL only";
}
