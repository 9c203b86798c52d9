#include "app/SettingsFileSaver.h"
#include "conversion/CalcOptions.h"
#include "conversion/CoordinateFieldOptions.h"
#include "platform/Profile.h"

#include "CoordTestSupport.h"

#include <gtest/gtest.h>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {
Profile SectionProfile(const std::string& section, const std::vector<std::string>& lines)
{
    std::vector<std::string> all = {"[" + section + "]"};
    all.insert(all.end(), lines.begin(), lines.end());
    return Profile(CrLf(all));
}
} // namespace

TEST(CoordinateFieldOptions, StoredIndicesRoundedThenChecked)
{
    const struct {
        FieldSection section;
        const char* stored;
        int expected;
    } rows[] = {
        {FieldSection::Coordinate, "7", 7},    {FieldSection::UpLoad, "7", 0},
        {FieldSection::Coordinate, "2.5", 2},  {FieldSection::UpLoad, "2.5", 2},
        {FieldSection::Coordinate, "3.5", 4},  {FieldSection::Coordinate, "8", 0},
        {FieldSection::Coordinate, "-1", 0},   {FieldSection::Coordinate, "7.5", 0}, // rounds to 8: no item
        {FieldSection::UpLoad, "6.5", 6},      {FieldSection::CalcCoordinate, " 3 ", 3},
        {FieldSection::Coordinate, "abc", 0},  {FieldSection::Coordinate, "", 0},
    };
    for (const auto& r : rows) {
        CoordinateFieldOptions o(r.section);
        o.load(SectionProfile(CoordinateFieldOptions::sectionName(r.section), {std::string("Field3=") + r.stored}));
        EXPECT_EQ(o.field[2], r.expected) << r.stored;
        EXPECT_EQ(o.field[0], 0) << "absent keys give Point number";
    }
}

TEST(CoordinateFieldOptions, SeparatorAndTexts)
{
    const struct { const char* stored; int separator; } rows[] = {{"2", 1}, {"1", 1}, {"0", 0}, {"-1", 0}, {"x", 0}};
    for (const auto& r : rows) {
        CoordinateFieldOptions o;
        o.load(SectionProfile("Coordinate Settings", {std::string("Separator=") + r.stored, "ComboField2=Nord"}));
        EXPECT_EQ(o.separator, r.separator) << r.stored;
        EXPECT_EQ(o.itemTexts[1], "Nord");
        EXPECT_EQ(o.itemTexts[7], "Ignore");
    }
    CoordinateFieldOptions upload(FieldSection::UpLoad);
    EXPECT_EQ(upload.itemCount(), 7);
}

TEST(CoordinateFieldOptions, SaveWritesTheKeysOfOk)
{
    TempFolder folder;
    const std::string ini = folder.file("Tavrelo.ini");
    WriteBytes(ini, CrLf({"[Coordinate Settings]", "ComboField1=Point number", "Field1= 0", "Field2= 1",
                          "Field3= 2", "Field4= 3", "Field5= 4", "Separator=0", "[Next]", "A=1"}));
    CoordinateFieldOptions o;
    o.field = {2, 2, 2, 2, 2};
    o.separator = 1;
    EXPECT_TRUE(SaveSettingsValues(o.settingsValues(), ini).ok());
    EXPECT_EQ(ReadBytes(ini), CrLf({"[Coordinate Settings]", "ComboField1=Point number", "Field1=2", "Field2=2",
                                    "Field3=2", "Field4=2", "Field5=2", "Separator=1", "[Next]", "A=1"}));
}

TEST(CalcOptions, NewFileAndAbsentSection)
{
    // The section a new settings file holds.
    const Profile fresh = SectionProfile(
        "Calc Coordinate Settings",
        {"ComboField1=Point number", "Field1= 0", "Field2= 1", "Field3= 2", "Field4= 3", "Field5= 4", "Separator=0",
         "AngleUnits=1", "TemperatureAndPressure =0", "CurvatureAndRefraction =0", "RefractionConstant=1",
         "SeaLevel=0", "MapProjection=0", "MapProjectionScaleFactor=1.00000", "CheckControlFile=0",
         "ControlFileName= "});
    CalcOptions o;
    o.load(fresh);
    EXPECT_EQ(o.CalcCurvatureAndRefraction, -1);
    EXPECT_EQ(o.RefractionConstant, 0.2f);
    EXPECT_EQ(o.CalcSeaLevel, -1);
    EXPECT_EQ(o.CalcTemperatureAndPressure, 0); // whatever the hidden option says
    EXPECT_EQ(o.temperatureAndPressure, 0);
    EXPECT_EQ(o.UseScaleFactor, 0);
    EXPECT_EQ(o.MapProjectionScaleFactor, 1.0);
    EXPECT_EQ(o.ControlFileName, "");
    EXPECT_EQ(o.fields.field[4], 4);

    CalcOptions defaults;
    EXPECT_EQ(defaults.CalcCurvatureAndRefraction, o.CalcCurvatureAndRefraction);
    EXPECT_EQ(defaults.RefractionConstant, o.RefractionConstant);
    EXPECT_EQ(defaults.CalcSeaLevel, o.CalcSeaLevel);

    CalcOptions absent;
    absent.load(Profile(""));
    EXPECT_EQ(absent.CalcCurvatureAndRefraction, 0);
    EXPECT_EQ(absent.RefractionConstant, 0.132f);
    EXPECT_EQ(absent.CalcSeaLevel, 0);
    EXPECT_EQ(absent.fields.field[1], 0);
    EXPECT_EQ(absent.scaleFactorText, "1.00000");
}

TEST(CalcOptions, OptionIndicesRoundedThenChecked)
{
    const struct { const char* stored; int16_t flag; } rows[] = {
        {"0", -1}, {"1", 0}, {"0.4", -1}, {"0.5", -1}, {"0.6", 0}, {"2", 0}, {"-1", 0}, {"1.5", 0}};
    for (const auto& r : rows) {
        CalcOptions o;
        o.load(SectionProfile(CalcOptions::kSection, {std::string("CurvatureAndRefraction=") + r.stored}));
        EXPECT_EQ(o.CalcCurvatureAndRefraction, r.flag) << r.stored;
    }
}

TEST(CalcOptions, ScaleFactorShownIsScaleFactorUsed)
{
    const struct { const char* stored; const char* shown; double used; } rows[] = {
        {"1.0002", "1.0002", 1.0002},   {"1,0002", "1.0002", 1.0002}, {"0", "1.00000", 1.0},
        {"1.00041", "1.00000", 1.0},    {"0.99959", "1.00000", 1.0},  {"0.9996", "0.9996", 0.9996},
        {"1.0004", "1.0004", 1.0004},   {"", "1.00000", 1.0},         {"abc", "1.00000", 1.0},
    };
    for (const auto& r : rows) {
        CalcOptions o;
        o.load(SectionProfile(CalcOptions::kSection,
                              {"MapProjection=1", std::string("MapProjectionScaleFactor=") + r.stored}));
        EXPECT_EQ(o.scaleFactorText, r.shown) << r.stored;
        EXPECT_EQ(o.MapProjectionScaleFactor, r.used) << r.stored;
        EXPECT_EQ(o.UseScaleFactor, -1);
    }
}

TEST(CalcOptions, ControlFileUsedFromTheLoad)
{
    CalcOptions ticked;
    ticked.load(SectionProfile(CalcOptions::kSection, {"CheckControlFile=1", "ControlFileName= /data/cp.txt "}));
    EXPECT_EQ(ticked.ControlFileName, "/data/cp.txt");
    CalcOptions unticked;
    unticked.load(SectionProfile(CalcOptions::kSection, {"CheckControlFile=0", "ControlFileName=/data/cp.txt"}));
    EXPECT_EQ(unticked.ControlFileName, "");
    EXPECT_EQ(unticked.controlFileText, "/data/cp.txt");
}

TEST(CalcOptions, AcceptChecksAndSavesTheSection)
{
    TempFolder folder;
    const std::string ini = folder.file("Tavrelo.ini");
    WriteBytes(ini, CrLf({"[Calc Coordinate Settings]", "TemperatureAndPressure =0"}));
    CalcOptions o;
    o.scaleFactorText = "1.00041";
    EXPECT_FALSE(o.accept());
    EXPECT_EQ(o.scaleFactorText, "1.00041");
    o.scaleFactorText = "1,0003";
    o.mapProjection = true;
    o.checkControlFile = false;
    o.controlFileText = " cp.txt";
    EXPECT_TRUE(o.accept());
    EXPECT_TRUE(SaveSettingsValues(o.settingsValues(), ini).ok());
    EXPECT_EQ(o.MapProjectionScaleFactor, 1.0003);
    EXPECT_EQ(o.UseScaleFactor, -1);
    EXPECT_EQ(o.ControlFileName, "");
    EXPECT_EQ(ReadBytes(ini),
              CrLf({"[Calc Coordinate Settings]", "TemperatureAndPressure=0", "Field1=0", "Field2=1", "Field3=2",
                    "Field4=3", "Field5=4", "Separator=0", "CurvatureAndRefraction=0", "RefractionConstant=1",
                    "SeaLevel=0", "MapProjection=1", "MapProjectionScaleFactor=1.0003", "CheckControlFile=0",
                    "ControlFileName= cp.txt"}));
    // What was saved loads back as the same options.
    Profile p;
    ASSERT_TRUE(p.load(ini));
    CalcOptions back;
    back.load(p);
    EXPECT_EQ(back.MapProjectionScaleFactor, 1.0003);
    EXPECT_EQ(back.CalcCurvatureAndRefraction, -1);
}
