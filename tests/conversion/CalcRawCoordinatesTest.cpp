// The coordinate calculator on small raw-data fixtures (tests/conversion/data) whose
// coordinates were worked out by hand. Unless a row says otherwise the reductions
// are off, so every expected value is plain trigonometry.
//
// Worked example, free_survey.raw (gon; 1 gon = 0.9 degrees):
//   ST,S1,,B1,,1.500,0,0      S1 is the first station of a free survey: 0, 0, 0.
//                             o = field 8 - field 7 = 0.
//   SS,P1,1.500,100,50,100    az = 50 gon = 45 deg, Z = 100 gon: HD = 100, VD = 0
//                             X = 100 cos 45 = 70.7107 -> 70.711, Y = 70.711,
//                             H = 0 + 1.500 - 1.500 + 0 = 0.000
//   SS,S2,1.300,200,100,100   az = 90 deg: X = 0.000, Y = 200.000, H = 1.5 - 1.3 = 0.200
//   ST,S2,,S1,,1.600,300,0    S2 was observed: it takes 0, 200, 0.200 and is written
//                             once more as a known point. Field 7, the azimuth
//                             S2 -> S1, is 300 gon; the reading to S1 (field 8) is 0,
//                             so o = 0 - 300 = -300 -> 100 gon.
//   SS,P2,1.600,50,0,100      az = 0 - 100 = -100 -> 300 gon (due -Y):
//                             X = 0.000, Y = 200 - 50 = 150.000, H = 0.2 + 1.6 - 1.6 = 0.200
#include "conversion/CalcOptions.h"
#include "conversion/CutShortRecords.h"
#include "conversion/RawCoordinateCalculator.h"
#include "map/core/MapTables.h"
#include "platform/Profile.h"

#include "CoordTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

// Reductions off, default field order and comma.
CalcOptions PlainOptions()
{
    CalcOptions o;
    o.curvatureAndRefraction = 1;
    o.seaLevel = 1;
    o.applyToCalculation();
    return o;
}

struct CalcCase {
    const char* fixture;
    std::vector<std::string> lines;
    const char* controlFile = nullptr;
};

const CalcCase kCases[] = {
    {"free_survey.raw",
     {"P1,70.711,70.711,0.000,TREE", "S2,0.000,200.000,0.200,", "S2,0.000,200.000,0.200,",
      "P2,0.000,150.000,0.200,POLE"}},
    // ENZ after the records still swaps them. K1 -> K2 has azimuth 0 (field 7); its
    // F1 reading 30 gives o = 30; A: az = 120 - 30 = 90 deg. At K2 (azimuth to K1
    // 180) the faces 45 and 225 give 45, o = 45 - 180 = 225; B: az = 135 - 225 =
    // 270 deg, Z = 80 deg: HD = 10 sin 80 = 9.848, VD = 10 cos 80 = 1.736.
    {"known_points_enz.raw",
     {"K1,1000.000,2000.000,100.000,BM", "K2,1100.000,2000.000,101.000,", "A,1000.000,2050.000,100.000,X",
      "B,1100.000,1990.152,102.736,"}},
    // Control points by whole name (both start with the 12 letters CONTROLPOINT); the
    // station and its backsight are written as known points with their stored codes,
    // the unused control point is not. CP/SO fields are one later than SS.
    {"control_points.raw",
     {"CONTROLPOINT_NORTH,5000.000,3000.000,250.000,PILLAR", "CONTROLPOINT_SOUTH,4900.000,3000.000,249.000,",
      "Q1,5000.000,3025.000,250.000,BOLT", "Q2,5000.000,2970.000,249.550,"},
     "control_points.txt"},
    // 329.1428 is 329 deg 14' 28" = 329.241111 deg: X = 85.933, Y = -51.143.
    {"angle_dddmmss.raw", {"P1,86.603,50.000,0.000,", "P2,85.933,-51.143,0.000,"}},
    // 1600 mils of 6400 = 90 deg for the azimuth and the zenith.
    {"angle_mils.raw", {"P1,0.000,100.000,0.000,"}},
    // Faces 399.999 and 200.001 gon mean 0 (400), not 200: az = 100 gon.
    {"orientation_both_faces.raw", {"P1,0.000,100.000,0.000,"}},
    // The second K1 record keeps the first coordinates and writes nothing.
    {"coordinate_records.raw",
     {"K1,100.000,200.000,10.000,BM", "M1,150.000,250.000,11.000,", "P1,107.071,207.071,10.000,"}},
    // Names longer than 12 characters are found again whole: the station set up a
    // second time is the known point, not a new entry, and is written once.
    {"long_names.raw",
     {"STATION_NUMBER_TWO,100.000,0.000,0.000,", "STATION_NUMBER_THREE,0.000,100.000,0.000,",
      "STATION_NUMBER_THREE,0.000,100.000,0.000,", "Q,10.000,100.000,0.000,"}},
    {"unknown_station.raw", {"P1,10.000,0.000,0.000,"}},
    // A last field keeps its leading blank after the split (" 10.000", " PILLAR");
    // the coordinate-record line carries the texts without it.
    // Back on S1, where the free survey started: it stands at 0, 0, 0 again. Field 7
    // (S1 -> S2) is 100 gon and the reading to S2 is 100, so o = 0; P9: az = 0,
    // X = 100.000, Y = 0.000, H = 0 + 1.5 - 1.5 = 0.000.
    {"reoccupied_free_origin.raw",
     {"S2,0.000,200.000,0.200,", "S2,0.000,200.000,0.200,", "P2,0.000,150.000,0.200,POLE",
      "P9,100.000,0.000,0.000,"}},
    {"record_blanks.raw",
     {"K1,100.000,200.000,10.000,", "K2,150.000,250.000,11.000,PILLAR", "P1,107.071,207.071,10.000,TREE"}},
};

class CalcRun {
public:
    explicit CalcRun(CalcOptions options = PlainOptions()) : options(std::move(options))
    {
        h.context.calc = &this->options;
        h.context.map = &tables;
    }
    std::string run(const std::string& input)
    {
        const std::string out = folder.file("out.asc");
        CalcRawCoordinates(h.context, input, out);
        return ReadBytes(out);
    }
    TempFolder folder;
    ContextHarness h;
    CalcOptions options;
    MapTables tables;
};

} // namespace

TEST(CalcRawCoordinates, FixturesGiveTheHandWorkedCoordinates)
{
    for (const CalcCase& c : kCases) {
        CalcRun r;
        if (c.controlFile) {
            r.options.checkControlFile = true;
            r.options.controlFileText = Fixture(c.controlFile);
            r.options.applyToCalculation();
        }
        EXPECT_EQ(r.run(Fixture(c.fixture)), CrLf(c.lines)) << c.fixture;
        EXPECT_EQ(r.h.state.TransferStatus, "OK") << c.fixture;
        EXPECT_EQ(r.h.ui.beeps, 0) << c.fixture;
    }
}

TEST(CalcRawCoordinates, FreeSurveyFillsTheTables)
{
    CalcRun r;
    r.run(Fixture("free_survey.raw"));
    const MapTables& t = r.tables;
    ASSERT_EQ(t.StationCount(), 1); // S1 at 0, 0, 0 has no entry; S2 joins with type 5
    EXPECT_EQ(t.Stations[1].name, "S2");
    EXPECT_EQ(t.Stations[1].type, PointType::CC);
    ASSERT_EQ(t.ObsPointCount(), 3);
    EXPECT_EQ(t.CooPointCount(), 0);
    EXPECT_EQ(t.PointNames[3], "P2");
    EXPECT_EQ(t.PointCodes[3], "POLE");
    EXPECT_EQ(t.StationNames[3], "S2");
    EXPECT_EQ(t.BacksightNames[3], "S1");
    EXPECT_EQ(t.StationNames[1], "S1");
    EXPECT_EQ(t.BacksightNames[1], "B1");
    EXPECT_NEAR(t.ObsPoints[3].Ha, 300.0f, 1e-3);
    EXPECT_NEAR(t.ObsPoints[3].Va, 100.0f, 1e-3);
    EXPECT_EQ(t.ObsPoints[1].type, PointType::SideShot);
    EXPECT_NEAR(t.MinX, 0.0, 1e-9);
    EXPECT_NEAR(t.MaxX, 70.7107, 1e-4);
    EXPECT_NEAR(t.MinY, 70.7107, 1e-4);
    EXPECT_NEAR(t.MaxY, 200.0, 1e-9);
    EXPECT_NEAR(t.ViewCentreX, 70.7107 / 2, 1e-4);
    EXPECT_NEAR(t.ViewCentreY, (70.7107 + 200) / 2, 1e-4);
    EXPECT_GT(t.view.MapScale, 0.0f);
}

TEST(CalcRawCoordinates, TablesOnlyOutputWritesNoFile)
{
    CalcRun withFile;
    withFile.run(Fixture("known_points_enz.raw"));
    CalcRun tablesOnly;
    const std::string cwdFile = "_*_";
    CalcRawCoordinates(tablesOnly.h.context, Fixture("known_points_enz.raw"), kTablesOnlyOutput);
    EXPECT_FALSE(Exists(cwdFile));
    EXPECT_EQ(tablesOnly.h.state.TransferStatus, "OK");
    EXPECT_EQ(tablesOnly.tables.StationCount(), withFile.tables.StationCount());
    EXPECT_EQ(tablesOnly.tables.ObsPointCount(), 2);
    EXPECT_EQ(tablesOnly.tables.Stations[1].type, PointType::UP);
    EXPECT_EQ(tablesOnly.tables.MinX, withFile.tables.MinX);
    EXPECT_EQ(tablesOnly.tables.MaxY, withFile.tables.MaxY);
    EXPECT_EQ(tablesOnly.tables.view.MapScale, withFile.tables.view.MapScale);
    EXPECT_EQ(tablesOnly.tables.view.ViewLeftX, withFile.tables.view.ViewLeftX);
}

TEST(CalcRawCoordinates, LeftOutObservationsEndWithOneWarning)
{
    CalcRun r;
    r.run(Fixture("unknown_station.raw"));
    ASSERT_EQ(r.h.ui.messages.size(), 1u);
    const auto& m = r.h.ui.messages[0];
    EXPECT_NE(m.text.find("2 observation(s)"), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("S9"), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("1 observation(s) before the first station"), std::string::npos) << m.text;
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    EXPECT_EQ(r.h.state.TransferStatus, "OK");
}

TEST(CalcRawCoordinates, LeftOutWarningComesBeforeTheFailureItExplains)
{
    // One observation and no station, without a line end: nothing to list.
    CalcRun r;
    WriteBytes(r.folder.file("one.raw"), "SS,P1,1.500,10.000,0.0000,100.0000,,");
    r.run(r.folder.file("one.raw"));
    ASSERT_EQ(r.h.ui.messages.size(), 2u);
    EXPECT_EQ(r.h.ui.messages[0].text, "1 observation(s) before the first station record were left out.");
    EXPECT_EQ(r.h.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(r.h.ui.messages[1].text, "This file contains no data");
    EXPECT_EQ(r.h.ui.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(r.h.state.TransferStatus, "E");
}

TEST(CalcRawCoordinates, FieldOrderAppliesToEveryKindOfLine)
{
    // Easting, Northing, Point number, Elevation, None: four texts, blank-separated,
    // the known-point line of S2 included.
    CalcOptions o = PlainOptions();
    o.fields.field = {2, 1, 0, 3, 6};
    o.fields.separator = 1;
    CalcRun r(o);
    EXPECT_EQ(r.run(Fixture("free_survey.raw")),
              CrLf({"70.711 70.711 P1 0.000", "200.000 0.000 S2 0.200", "200.000 0.000 S2 0.200",
                    "150.000 0.000 P2 0.200"}));
}

TEST(CalcRawCoordinates, IgnoreRepeatsThePreviousLinesText)
{
    CalcOptions o = PlainOptions();
    o.fields.field = {0, 7, 4, 5, 3};
    CalcRun r(o);
    // Position 2 is never filled; position 3 has the code, 4 "Nothing".
    EXPECT_EQ(r.run(Fixture("free_survey.raw")),
              CrLf({"P1,,TREE,,0.000", "S2,,,,0.200", "S2,,,,0.200", "P2,,POLE,,0.200"}));
}

TEST(CalcRawCoordinates, ControlFileInTheOutputsFieldOrder)
{
    // The control-point file is read in the layout the output has: here E, N, name, H, code.
    CalcRun r;
    WriteBytes(r.folder.file("control.txt"), CrLf({"3000.000,5000.000,CONTROLPOINT_NORTH,250.000,PILLAR",
                                                  "3000.000,4900.000,CONTROLPOINT_SOUTH,249.000"}));
    r.options.fields.field = {2, 1, 0, 3, 4};
    r.options.checkControlFile = true;
    r.options.controlFileText = "  " + r.folder.file("control.txt") + " ";
    r.options.applyToCalculation();
    EXPECT_EQ(r.run(Fixture("control_points.raw")),
              CrLf({"3000.000,5000.000,CONTROLPOINT_NORTH,250.000,PILLAR",
                    "3000.000,4900.000,CONTROLPOINT_SOUTH,249.000,", "3025.000,5000.000,Q1,250.000,BOLT",
                    "2970.000,5000.000,Q2,249.550,"}));
}

TEST(CalcRawCoordinates, SavedOptionsAreUsedWithoutTheDialog)
{
    // Section as the dialog's OK stores it: blank separator, curvature and refraction
    // (0.200) on, sea level off. 1000 m horizontal gives VD = 0.8 * 1e6 / 12 740 000 = 0.063.
    TempFolder folder;
    WriteBytes(folder.file("Tavrelo.ini"),
               CrLf({"[Calc Coordinate Settings]", "Field1= 0", "Field2= 1", "Field3= 2", "Field4= 3", "Field5= 4",
                     "Separator=1", "CurvatureAndRefraction =0", "RefractionConstant=1", "SeaLevel=1"}));
    WriteBytes(folder.file("in.raw"), CrLf({"ST,S1,,,,0.000,0,0", "SS,P1,0.000,1000.000,0.0000,100.0000,,C"}));
    Profile profile;
    ASSERT_TRUE(profile.load(folder.file("Tavrelo.ini")));
    CalcOptions o;
    o.load(profile);
    CalcRun r(o);
    EXPECT_EQ(r.run(folder.file("in.raw")), CrLf({"P1 1000.000 0.000 0.063 C"}));
}

TEST(CalcRawCoordinates, FailuresLeaveTheTargetAndSayE)
{
    CalcRun r;
    const std::string out = r.folder.file("out.asc");
    WriteBytes(out, "old");
    // A missing input.
    CalcRawCoordinates(r.h.context, r.folder.file("missing.raw"), out);
    EXPECT_EQ(r.h.state.TransferStatus, "E");
    EXPECT_EQ(ReadBytes(out), "old");
    EXPECT_EQ(r.h.ui.beeps, 1);
    // Input and output one file (two spellings).
    WriteBytes(r.folder.file("same.raw"), ReadBytes(Fixture("free_survey.raw")));
    CalcRawCoordinates(r.h.context, r.folder.file("same.raw"), r.folder.path() + "/./same.raw");
    EXPECT_EQ(r.h.state.TransferStatus, "E");
    EXPECT_EQ(ReadBytes(r.folder.file("same.raw")), ReadBytes(Fixture("free_survey.raw")));
    // A control-point file that cannot be read.
    r.options.checkControlFile = true;
    r.options.controlFileText = r.folder.file("nothing.txt");
    r.options.applyToCalculation();
    CalcRawCoordinates(r.h.context, Fixture("free_survey.raw"), out);
    EXPECT_EQ(r.h.state.TransferStatus, "E");
    EXPECT_EQ(ReadBytes(out), "old");
    EXPECT_EQ(r.h.ui.beeps, 3);
    EXPECT_FALSE(r.h.ui.busy);
}

TEST(CalcRawCoordinates, EmptyNamesReturnAtOnce)
{
    CalcRun r;
    CalcRawCoordinates(r.h.context, "", r.folder.file("x"));
    EXPECT_EQ(r.h.state.TransferStatus, "E");
    EXPECT_EQ(r.h.ui.beeps, 0);
    EXPECT_FALSE(Exists(r.folder.file("x")));
}

TEST(CalcRawCoordinates, AppendsWhenAskedTo)
{
    CalcRun r;
    const std::string out = r.folder.file("out.asc");
    WriteBytes(out, "old\r\n");
    r.h.state.OutputFileMode = 1;
    CalcRawCoordinates(r.h.context, Fixture("angle_mils.raw"), out);
    EXPECT_EQ(ReadBytes(out), "old\r\nP1,0.000,100.000,0.000,\r\n");
}

TEST(CalcRawCoordinates, CoordinateRecordOnTheLastLineIsListedFirst)
{
    // The coordinate records are listed before the observations wherever they stand,
    // the last line included; without its line end it is a record cut short.
    const std::string late = "ST,S1,,B1,,1.500,0,0\r\nSS,P1,1.500,100,50,100\r\nCO,a remark\r\nUP,K9,,10,20,30,BM";
    CalcRun r;
    WriteBytes(r.folder.file("late.raw"), late + "\r\n");
    EXPECT_EQ(r.run(r.folder.file("late.raw")), CrLf({"K9,10,20,30,BM", "P1,70.711,70.711,0.000,"}));
    EXPECT_EQ(r.tables.StationCount(), 1);
    EXPECT_TRUE(r.h.ui.messages.empty());

    CalcRun cut;
    WriteBytes(cut.folder.file("late.raw"), late);
    EXPECT_EQ(cut.run(cut.folder.file("late.raw")), CrLf({"P1,70.711,70.711,0.000,"}));
    EXPECT_EQ(cut.tables.StationCount(), 0);
    ASSERT_EQ(cut.h.ui.messages.size(), 1u);
    EXPECT_EQ(cut.h.ui.messages[0].text, "1 record(s) were left out because they are cut short: the last one, at line"
                                         " 4, has no line end (as when a transfer ends early).");
}

TEST(CalcRawCoordinates, FileWithoutPoints)
{
    // No point to list: the old target stays and the run has no result, while the
    // tables and the view are set as after every run.
    CalcRun r;
    WriteBytes(r.folder.file("out.asc"), "old");
    WriteBytes(r.folder.file("empty.raw"), CrLf({"CO,nothing here", "ST,S1,,,,1.5,0,0"}));
    EXPECT_EQ(r.run(r.folder.file("empty.raw")), "old");
    ASSERT_EQ(r.h.ui.messages.size(), 1u);
    EXPECT_EQ(r.h.ui.messages[0].text, "This file contains no data");
    EXPECT_EQ(r.tables.MinX, 999999999.0);
    EXPECT_EQ(r.tables.MaxY, -999999999.0);
    EXPECT_EQ(r.tables.ViewCentreX, 0.0);
    EXPECT_EQ(r.tables.ViewCentreY, 0.0);
    EXPECT_EQ(r.h.state.TransferStatus, "E");
    // Only the map tables asked for: no file, so nothing is missing.
    r.h.ui.clear();
    CalcRawCoordinates(r.h.context, r.folder.file("empty.raw"), kTablesOnlyOutput);
    EXPECT_EQ(r.h.state.TransferStatus, "OK");
    EXPECT_TRUE(r.h.ui.messages.empty());
}

TEST(CalcRawCoordinates, DefaultReductionsAreTheNewFileOnes)
{
    // New-file defaults: curvature and refraction (0.200) and sea level on. At Z =
    // 100 gon, S = 1000, Hst = 0: VD = 0.062794, HD = 1000 * 6370000 / (6370000 +
    // 0.031397) = 999.999995.
    CalcRun r{CalcOptions()};
    WriteBytes(r.folder.file("in.raw"), CrLf({"ST,S1,,,,0.000,0,0", "SS,P1,0.000,1000.000,0.0000,100.0000,,"}));
    EXPECT_EQ(r.run(r.folder.file("in.raw")), CrLf({"P1,1000.000,0.000,0.063,"}));
}

TEST(CalcRawCoordinates, KnownStationWithEveryReduction)
{
    // known_station_reduced.raw, gon, curvature and refraction (k = 0.132), sea level
    // and scale factor 1.0002 on:
    //   UP K1 5000, 3000, 250 and UP K2 5100, 3100: the azimuth K1 -> K2 is 50 gon.
    //   ST,K1,,K2,,1.550,50,10    K1 is the known point; o = 10 - 50 = -40 -> 360 gon.
    //   SS,P1,1.800,500,30,97     az = 30 - 360 = -330 -> 70 gon = 63 deg; Z = 97 gon = 87.3 deg.
    //   HD = 500 sin 87.3 = 499.444937, VD = 500 cos 87.3 = 23.553225.
    //   S^2 / 2R = 250 000 / 12 740 000 = 0.01962323:
    //     HD = 499.444937 - 0.934 * sin 174.6 (0.09410831) * 0.01962323 = 499.443213
    //     VD = 23.553225 + 0.868 * sin^2 Z (0.99778098) * 0.01962323 = 23.570221
    //   sea level, Hst = 250: HD * 6 370 000 / (6 370 000 + 250 + 23.570221 / 2) = 499.422688
    //   scale factor: HD = 499.422688 * 1.0002 = 499.522573
    //   X = 5000 + 499.522573 cos 63 (0.45399050) = 5226.778502 -> 5226.779
    //   Y = 3000 + 499.522573 sin 63 (0.89100652) = 3445.077871 -> 3445.078
    //   H = 250 + 1.550 - 1.800 + 23.570221 = 273.320221 -> 273.320
    CalcOptions o;
    o.curvatureAndRefraction = 0;
    o.refractionConstant = 0;
    o.seaLevel = 0;
    o.mapProjection = true;
    o.scaleFactorText = "1.0002";
    o.applyToCalculation();
    CalcRun r(o);
    EXPECT_EQ(r.run(Fixture("known_station_reduced.raw")),
              CrLf({"K1,5000.000,3000.000,250.000,BM", "K2,5100.000,3100.000,251.000,",
                    "P1,5226.779,3445.078,273.320,TREE"}));
    ASSERT_EQ(r.tables.ObsPointCount(), 1);
    EXPECT_NEAR(r.tables.ObsPoints[1].Ha, 70.0f, 1e-4);
    EXPECT_NEAR(r.tables.ObsPoints[1].SD, 500.0f, 1e-4); // the atmospheric step stays off
    EXPECT_EQ(r.tables.StationCount(), 2);               // K1 was known: no new entry
}

TEST(CalcRawCoordinates, ControlFileWithoutControlPointsStops)
{
    // The comma calculation reading a file separated by ";", an empty file and one of
    // short lines: each would otherwise give a free survey from 0, 0, 0 reported OK.
    const char* kContents[] = {"CP1;5000.000;3000.000;250.000\r\n", "", "CP1,5000.000\r\n\r\n"};
    for (const char* content : kContents) {
        CalcRun r;
        const std::string out = r.folder.file("out.asc");
        WriteBytes(out, "old");
        WriteBytes(r.folder.file("control.txt"), content);
        r.options.checkControlFile = true;
        r.options.controlFileText = r.folder.file("control.txt");
        r.options.applyToCalculation();
        CalcRawCoordinates(r.h.context, Fixture("control_points.raw"), out);
        EXPECT_EQ(r.h.state.TransferStatus, "E") << content;
        EXPECT_EQ(ReadBytes(out), "old") << content;
        ASSERT_EQ(r.h.ui.messages.size(), 1u) << content;
        EXPECT_NE(r.h.ui.messages[0].text.find(r.folder.file("control.txt")), std::string::npos);
        EXPECT_EQ(r.h.ui.messages[0].icon, MessageIcon::Critical);
        EXPECT_FALSE(r.h.ui.busy);
    }
}

// A control-point file whose last line was cut off inside the backsight's easting (a
// transfer that ended early): read whole, the station would be oriented on a point
// 2970 m off. The line is left out, as in every coordinate list, and the warning
// after the run names the file.
TEST(CalcRawCoordinates, ControlFileCutShortIsLeftOutAndTold)
{
    const std::string north = "CONTROLPOINT_NORTH,5000.000,3000.000,250.000,PILLAR";
    CalcRun whole;
    WriteBytes(whole.folder.file("control.txt"), CrLf({north}));
    whole.options.checkControlFile = true;
    whole.options.controlFileText = whole.folder.file("control.txt");
    whole.options.applyToCalculation();
    const std::string expected = whole.run(Fixture("control_points.raw"));
    ASSERT_EQ(whole.h.state.TransferStatus, "OK");

    CalcRun r;
    const std::string control = r.folder.file("control.txt");
    WriteBytes(control, CrLf({north}) + "CONTROLPOINT_SOUTH,4900.000,30");
    r.options.checkControlFile = true;
    r.options.controlFileText = control;
    r.options.applyToCalculation();
    EXPECT_EQ(r.run(Fixture("control_points.raw")), expected);
    EXPECT_EQ(r.h.state.TransferStatus, "OK");
    std::vector<std::string> told;
    for (const auto& m : whole.h.ui.messages)
        told.push_back(m.text);
    const std::string cut = "Control-point file " + control + ": 1 record(s) were left out because they are cut "
                            "short: the last one, at line 2, has no line end (as when a transfer ends early).";
    if (told.empty())
        told.push_back(cut);
    else
        told.back() += "\r\n" + cut;
    ASSERT_EQ(r.h.ui.messages.size(), told.size());
    for (size_t i = 0; i < told.size(); ++i)
        EXPECT_EQ(r.h.ui.messages[i].text, told[i]);
}

TEST(CalcRawCoordinates, CoordinatesThatOverflowAreLeftOutAndCounted)
{
    // 1e200 m with curvature on squares past the largest number: the point has no
    // coordinates, so it is left out (not written as 0.000) and named in the warning.
    CalcOptions o = PlainOptions();
    o.curvatureAndRefraction = 0;
    o.applyToCalculation();
    CalcRun r(o);
    WriteBytes(r.folder.file("in.raw"), CrLf({"ST,S1,,,,0.000,0,0", "SS,FAR,0.000,1e200,50.0000,100.0000,,",
                                              "SS,P1,0.000,100.000,0.0000,100.0000,,C"}));
    EXPECT_EQ(r.run(r.folder.file("in.raw")), CrLf({"P1,100.000,0.000,0.001,C"}));
    EXPECT_EQ(r.h.state.TransferStatus, "OK");
    EXPECT_EQ(r.tables.ObsPointCount(), 1);
    ASSERT_EQ(r.h.ui.messages.size(), 1u);
    EXPECT_NE(r.h.ui.messages[0].text.find("1 observation(s) were left out because their coordinates are too large"),
              std::string::npos);
    EXPECT_LT(r.tables.MaxX, 1e9);
}

namespace {

// A traverse of free stations with side shots, both faces, weather changes, blank
// lines, records cut short (a station among them, with a face reading and a side shot
// of its own, and a last side shot without its line end, cut inside its zenith angle)
// and every kind of line end: enough lines to be cut into many blocks.
std::string Traverse(int stations)
{
    std::string raw = "CO,Angle Units: GONS\r\n";
    static const char* const ends[] = {"\r\n", "\n", "\r"};
    int line = 0;
    const auto add = [&](const std::string& text) { raw += text + ends[line++ % 3]; };
    const auto n = [](int v) { return std::to_string(v); };
    for (int s = 1; s <= stations; ++s) {
        if (s % 50 == 0)
            add("SS,X" + n(s) + ",1.500,20.000");
        if (s % 77 == 0) {
            add("ST,Y" + n(s) + ",,S1,,1.5");
            add("F1,S1,1.500,100.000,0.0000,100.0000");
            add("SS,Y" + n(s) + "_1,1.500,10.000,20.0000,100.0000,,");
        }
        if (s % 7 == 0)
            add("CO,Temp:" + n(10 + s % 20) + ".0 Press:" + n(700 + s % 80) + ".0");
        add("ST,S" + n(s) + ",,S" + n(s - 1) + ",,1.5" + n(s % 10) + "," + n(s * 37 % 400) + ".1234,0");
        add("F1,S" + n(s - 1) + ",1.500,100.000," + n(s * 37 % 400) + ".1234,100.0000");
        if (s % 3 == 0)
            add("F2,S" + n(s - 1) + ",1.500,100.000," + n((s * 37 + 200) % 400) + ".1236,300.0000");
        for (int p = 0; p < 20; ++p)
            add("SS,P" + n(s) + "_" + n(p) + ",1.3" + n(p % 10) + "," + n(20 + p * 7) + ".123," + n(p * 19 % 400) +
                ".5," + n(90 + p % 20) + ".25,," + (p % 2 ? "TREE" : ""));
        if (s % 11 == 0)
            add("");
        add("SS,S" + n(s + 1) + ",1.500,150.000," + n(s * 13 % 400) + ".0,100.0000,,");
    }
    return raw + "SS,Z1,1.500,50.000,100.0000,1";
}

} // namespace

// The observations are read in blocks, a piece of each by a thread of its own: one
// line a block on one thread, small blocks on four, and the usual reading give one
// result, byte for byte and in the map tables.
TEST(CalcRawCoordinates, ResultDoesNotDependOnHowTheFileIsCut)
{
    TempFolder folder;
    const std::string raw = folder.file("traverse.raw");
    WriteBytes(raw, Traverse(400));
    CalcOptions options; // the new-file defaults, and the weather's correction as well
    options.CalcTemperatureAndPressure = 1;
    std::string expected;
    MapTables first;
    // Cut short: a side shot at every 50th station and a station at every 77th, the
    // first the side shot before station 50, and the last line (the line ends count as
    // the reader counts them). The station's face reading and side shot go with it.
    CutShortCount cutShort{400 / 50 + 400 / 77, 0, 2 * (400 / 77)};
    const std::string text = ReadBytes(raw);
    const auto lineOf = [&text](size_t at) {
        int64_t line = 1;
        for (size_t i = 0; i < at; ++i)
            line += text[i] == '\n' || (text[i] == '\r' && text[i + 1] != '\n');
        return line;
    };
    cutShort.firstLine = lineOf(text.find("SS,X50,"));
    cutShort.add(lineOf(text.size() - 1), true);
    const CalcReading readings[] = {{1, 1}, {4, 64}, {3, 5000}, {}};
    for (const CalcReading& reading : readings) {
        ContextHarness h;
        MapTables tables;
        h.context.calc = &options;
        h.context.map = &tables;
        const std::string out = folder.file("out.asc");
        CalcRawCoordinatesWith(h.context, raw, out, reading);
        ASSERT_EQ(h.state.TransferStatus, "OK");
        ASSERT_EQ(h.ui.messages.size(), 1u) << reading.threads << " " << reading.blockBytes;
        EXPECT_EQ(h.ui.messages[0].text, CutShortText(cutShort)) << reading.threads << " " << reading.blockBytes;
        const std::string bytes = ReadBytes(out);
        if (expected.empty()) {
            expected = bytes;
            first = std::move(tables);
            continue;
        }
        EXPECT_EQ(bytes, expected) << reading.threads << " " << reading.blockBytes;
        EXPECT_EQ(tables.ObsPointCount(), first.ObsPointCount());
        EXPECT_EQ(tables.StationCount(), first.StationCount());
        EXPECT_EQ(tables.MaxX, first.MaxX);
        EXPECT_EQ(tables.MinY, first.MinY);
        EXPECT_EQ(tables.PointNames[tables.ObsPointCount()], first.PointNames[first.ObsPointCount()]);
        EXPECT_EQ(tables.StationNames[tables.ObsPointCount()], first.StationNames[first.ObsPointCount()]);
    }
    // Every observation of the 400 stations was computed: 21 a station, plus the
    // stations' own lines as points observed before they were set up.
    EXPECT_EQ(first.ObsPointCount(), 400 * 21);
    EXPECT_GT(std::count(expected.begin(), expected.end(), '\n'), 400 * 21);
}
