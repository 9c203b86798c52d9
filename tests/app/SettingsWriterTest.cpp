// The settings file as a rebuild writes it: exact default lines, layout invariants,
// the temporary-file write, the backup and the behaviour on an unwritable folder.
#include "TempFolder.h"
#include "app/SettingsFileReader.h"
#include "app/SettingsFileWriter.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace tavrelo {
namespace {

using test::CrLf;
using test::ReadBytes;
using test::TempFolder;

std::string defaultText()
{
    return DefaultIniText(SettingsModel());
}

// The section with its header and everything up to the next header.
std::string sectionOf(const std::string& text, const std::string& name)
{
    const size_t start = text.find("[" + name + "]\r\n");
    if (start == std::string::npos)
        return std::string();
    const size_t next = text.find("\r\n[", start);
    return text.substr(start, next == std::string::npos ? std::string::npos : next + 2 - start);
}

struct ExpectedSection {
    const char* name;
    std::string bytes;
};

void PrintTo(const ExpectedSection& c, std::ostream* os)
{
    *os << c.name;
}

class DefaultSectionTest : public ::testing::TestWithParam<ExpectedSection> {};

TEST_P(DefaultSectionTest, IsWrittenByteForByte)
{
    EXPECT_EQ(sectionOf(defaultText(), GetParam().name), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    SpotChecks, DefaultSectionTest,
    ::testing::Values(
        ExpectedSection{"Main Form", CrLf({"[Main Form]", "Caption=Tavrelo version 1.10", "FontName=MS Sans Serif",
                                           "FontBold=0", "FontItalic=0", "FontSize= 8.25 ", "Height= 5475 ",
                                           "Width=7305", ""})},
        ExpectedSection{"OpSourse0", CrLf({"[OpSourse0]", "Caption=Download from instrument", "FontName=MS Sans Serif",
                                           "FontBold=0", "FontItalic=0", "FontSize= 8.25 ", "Height= 255 ",
                                           "Width=3000",
                                           "ToolTipText=Receive data via the RS-232 cable from the instrument", ""})},
        ExpectedSection{"TxFileName", CrLf({"[TxFileName]", "FontName=MS Sans Serif", "FontBold=0", "FontItalic=0",
                                            "FontSize= 8.25 ", "Height= 288 ", "Width=3885",
                                            "ToolTipText=Specify filename for your data", ""})},
        ExpectedSection{"ComboDataFormat", CrLf({"[ComboDataFormat]", "FontName=MS Sans Serif", "FontBold=0",
                                                 "FontItalic=0", "FontSize= 8.25 ", "Width=3885",
                                                 "ToolTipText=Specify file data format", ""})},
        ExpectedSection{"KOF_Form", CrLf({"[KOF_Form]", "Caption=KOF format", "FontName=MS Sans Serif", "FontBold=1",
                                          "FontItalic=0", "FontSize= 8.25 ", "Height= 3435 ", "Width=4035", ""})},
        ExpectedSection{"DxfFormSetting_ComSelColor2",
                        CrLf({"[DxfFormSetting_ComSelColor2]", "Caption=", "FontName=MS Sans Serif", "FontBold=0",
                              "FontItalic=0", "FontSize= 8.25 ", "Height= 300 ", "Width=300",
                              "ToolTipText=Select Color", ""})},
        ExpectedSection{"UL_ComSend", CrLf({"[UL_ComSend]", "Caption=&Send", "FontName=MS Sans Serif", "FontBold=0",
                                            "FontItalic=0", "FontSize= 8.25 ", "Height= 375 ", "Width=1215",
                                            "ToolTipText=starrt sending now", ""})},
        ExpectedSection{"ToolTipsText CommandSetting",
                        CrLf({"[ToolTipsText CommandSetting]", "NR1=KOF settings", "NR2=MAPA2 settings",
                              "NR3=SDR-2x settings", "NR4=SDR-33 settings", "NR5=Eghas settings",
                              "NR6=NEDCAD settings", "NR7=Coordinate file settings", "Co0=Coordinate file settings",
                              "Co1=DXF settings", "Co2=KOF settings", "Co3=SDR-2x settings", "Co4=SDR-33 settings",
                              "NRF0=KOF settings", "NRF1=MAPA2 settings", "NRF2=Eghas settings",
                              "NRF3=NEDCAD settings", "NRF4=Coordinate file settings", "CoF0=DXF settings",
                              "CoF1=KOF settings", ""})},
        ExpectedSection{"Zarel RAW data options",
                        CrLf({"[Zarel RAW data options]", "Zarel RAW data format V2.00", "KOF raw data file",
                              "MAPA 2 raw data file", "SDR-2x raw data file", "SDR-33 raw data file",
                              "Eghas raw data file", "NEDCAD raw data file", "Coordinate file", ""})},
        ExpectedSection{"Coordinate labes",
                        CrLf({"[Coordinate labes]", "Northing = N, Easting = E", "Northing = X, Easting = Y",
                              "Northing = Y, Easting = X", ""})},
        ExpectedSection{"Default",
                        CrLf({"[Default]", "JobPath=", "SaveAsPath=", "UpLoadPath=", "ProgramEditor=", "OpSourse= 0 ",
                              "OpReceive= 0 ", "ComboDataFormatN= 0 ", "ComboDataFormatC= 0 ",
                              "ComboDataFormatNFile= 0 ", "ComboDataFormatCFile= 0 ", "CheckOrigDF= 0 ", "Port= 0 ",
                              "Speed= 4 ", "DataBits= 1 ", "FlowControl= 1 ", "StCombCoord0= 0 ",
                              "StCombCoord1= 0 ", "StOpEditor= 0 ", "DataSendFormat= 0 ", ""})},
        ExpectedSection{"SDR33 Settings",
                        CrLf({"[SDR33 Settings]", "AngleUnits = 1", "DistanceUnits = 0", "PressureUnits = 0",
                              "TemperatureUnits = 0", "TemperatureAndPressure = 0", "CurvatureAndRefraction = 1",
                              "RefractionConstant = 0", "SeaLevel = 0", ""})},
        ExpectedSection{"KOF Settings", CrLf({"[KOF Settings]", "Road= ", "City= ", "Surveyor= ",
                                              "UsePointNumberConversion = 0", "UseCodeConversion = 0",
                                              "KofpointFile=", ""})},
        ExpectedSection{"Calc Coordinate Settings",
                        CrLf({"[Calc Coordinate Settings]", "ComboField1=Point number", "ComboField2=Northing",
                              "ComboField3=Easting", "ComboField4=Elevation", "ComboField5=Code",
                              "ComboField6=Nothing", "ComboField7=None", "ComboField8=Ignore", "Field1= 0",
                              "Field2= 1", "Field3= 2", "Field4= 3", "Field5= 4", "Separator=0", "AngleUnits=1",
                              "DistanseUnits=0", "PressureUnits=0", "TemperatureUnits=0",
                              "TemperatureAndPressure =0", "CurvatureAndRefraction =0", "RefractionConstant=1",
                              "SeaLevel=0", "MapProjection=0", "MapProjectionScaleFactor=1.00000",
                              "CheckControlFile=0", "ControlFileName= ", ""})},
        ExpectedSection{"Coordinate UpLoad Settings",
                        CrLf({"[Coordinate UpLoad Settings]", "ComboField1=Point number", "ComboField2=Northing",
                              "ComboField3=Easting", "ComboField4=Elevation", "ComboField5=Code",
                              "ComboField6=Ignore", "ComboField7=None", "Field1= 0", "Field2= 1", "Field3= 2",
                              "Field4= 3", "Field5= 4", "Separator=0", ""})},
        ExpectedSection{"DXF Settings",
                        CrLf({"[DXF Settings]", "Dxf_Point_Layer=PT", "Dxf_Check_PointName=1",
                              "Dxf_Check_Elevation=1", "Dxf_Check_Code=1", "Dxf_PointName_Layer=PN",
                              "Dxf_Elevation_Layer=EL", "Dxf_Code_Layer=CD", "Dxf_PointName_TS=1",
                              "Dxf_Elevation_TS=1", "Dxf_Code_TS=1", "Dxf_Option3D=0", "Dxf_ColorPointName=0",
                              "Dxf_ColorElevation=0", "Dxf_ColorCode=0", ""})},
        ExpectedSection{"Help file", CrLf({"[Help file]", "HelpFileName=TavreloManual.doc", "HelpProgShow =WORDPAD.EXE",
                                           ""})},
        ExpectedSection{"Messages for file types",
                        CrLf({"[Messages for file types]", "Select program name for editor", "Program (*.exe, *.bat)",
                              "Zarel Raw Data Format v2.0(*.zvk, .dn?, .raw)", "Coordinate file (*.asc)",
                              "All files (*.*)", " "})}),
    [](const ::testing::TestParamInfo<ExpectedSection>& info) {
        std::string name;
        for (const char c : std::string(info.param.name))
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name;
    });

// Windows that size themselves when shown carry those sizes at the default font: a
// field list 315 high, a label 195, a button 375, dialogs 405 taller outside than inside.
struct LaidOutSize {
    const char* key;
    const char* height; // nullptr: not fixed by the window's layout
    const char* width;
};

void PrintTo(const LaidOutSize& c, std::ostream* os)
{
    *os << c.key;
}

class LaidOutSizeTest : public ::testing::TestWithParam<LaidOutSize> {};

TEST_P(LaidOutSizeTest, IsTheSizeTheWindowGivesItself)
{
    const std::string section = sectionOf(defaultText(), GetParam().key);
    if (GetParam().height)
        EXPECT_NE(section.find(std::string("\r\nHeight= ") + GetParam().height + " \r\n"), std::string::npos) << section;
    EXPECT_NE(section.find(std::string("\r\nWidth=") + GetParam().width + "\r\n"), std::string::npos) << section;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, LaidOutSizeTest,
    ::testing::Values(
        // Field rows from 264, five of 315 + 96; frames 96 below the last row.
        LaidOutSize{"CoordForm_Fr1", "2415", "3015"}, LaidOutSize{"CoordForm_Fr2", "2415", "1695"},
        // Form width: both frames + 288 + 48.
        LaidOutSize{"CoordForm", nullptr, "5046"}, LaidOutSize{"CoordFormUL", nullptr, "5046"},
        LaidOutSize{"SetCalcCoordForm_Fr2", "2415", "1695"},
        // Corrections and control-file frames: both frames + 96; form: both frames + 336.
        LaidOutSize{"SetCalcCoordForm_Fr3", nullptr, "4806"}, LaidOutSize{"SetCalcCoordForm_Fr4", nullptr, "4806"},
        // 405 + 96 + 2415 + 975 + 1695 + 375 + 240.
        LaidOutSize{"SetCalcCoordForm", "6201", "5046"},
        // Help: 336 + six lines + one blank line + the last line; addresses 1.5 lines apart.
        LaidOutSize{"Help_Fr1", "1896", "3000"}, LaidOutSize{"Help_Fr2", "1116", "3000"},
        LaidOutSize{"Help_Fr3", "750", "3000"},
        // OK at 90 + 1896 + 90 + 1116 + 90 + 750 + 180, then its 375 + 180 + 340.
        LaidOutSize{"Help_Form", "5107", "3248"}),
    [](const ::testing::TestParamInfo<LaidOutSize>& info) { return std::string(info.param.key); });

std::vector<std::string> headersOf(const std::string& text)
{
    std::vector<std::string> headers;
    for (const std::string& line : SplitLines(text))
        if (!line.empty() && line.front() == '[')
            headers.push_back(line.substr(1, line.size() - 2));
    return headers;
}

TEST(DefaultFile, HasItsSectionsInOrder)
{
    const std::vector<std::string> headers = headersOf(defaultText());
    ASSERT_EQ(headers.size(), 171u + 22u);
    const std::set<std::string> controls(headers.begin(), headers.begin() + 171);
    EXPECT_EQ(controls.size(), 171u) << "two control sections share a name";
    EXPECT_EQ(headers.front(), "Main Form");
    EXPECT_EQ(headers[170], "Help_ComOK");
    const std::vector<std::string> rest(headers.begin() + 171, headers.end());
    EXPECT_EQ(rest, (std::vector<std::string>{
                        "ToolTipsText CommandSetting", "Zarel RAW data options", "Coortinate data options",
                        "Zarel RAW data options file", "Coortinate data options file", "Send data format",
                        "Coomunication Port", "Coomunication Speed", "Coomunication Data bits",
                        "Coomunication Flow control", "Coordinate order", "Coordinate labes", "Default",
                        "SDR33 Settings", "KOF Settings", "Coordinate Settings", "Calc Coordinate Settings",
                        "Coordinate UpLoad Settings", "DXF Settings", "Help file", "Messages for file types",
                        "Messages"}));
}

TEST(DefaultFile, WindowSectionsFollowEachOtherWindowByWindow)
{
    const std::vector<std::string> headers = headersOf(defaultText());
    const auto at = [&](const std::string& key) {
        return std::find(headers.begin(), headers.end(), key) - headers.begin();
    };
    EXPECT_EQ(at("DL_Form"), 52);
    EXPECT_EQ(at("UL_Form"), 52 + 17);
    EXPECT_EQ(at("KOF_Form"), 52 + 17 + 18);
    EXPECT_EQ(at("CoordForm"), 52 + 17 + 18 + 16);
    EXPECT_EQ(at("SetCalcCoordForm"), 52 + 17 + 18 + 16 + 11);
    EXPECT_EQ(at("CoordFormUL"), 52 + 17 + 18 + 16 + 11 + 21);
    EXPECT_EQ(at("DxfFormSetting"), 52 + 17 + 18 + 16 + 11 + 21 + 1);
    EXPECT_EQ(at("Help_Form"), 52 + 17 + 18 + 16 + 11 + 21 + 1 + 21);
}

TEST(DefaultFile, EndsEveryLineWithCrLfAndHasNoByteOrderMark)
{
    const std::string text = defaultText();
    ASSERT_GE(text.size(), 3u);
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        if (text[i] == '\r')
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
}

TEST(DefaultFile, EndsWithTheFiftiethMessage)
{
    const std::string text = defaultText();
    const std::string messages = text.substr(text.find("[Messages]\r\n"));
    const std::string opening = CrLf({"[Messages]", "1,Receive", "2,Send", "3,Settings", "4,Select data file"});
    EXPECT_EQ(messages.substr(0, opening.size()), opening);
    EXPECT_NE(messages.find(CrLf({"28,KOF converter", "29,not found", "30,Load", "31,SDR-2x"})), std::string::npos);
    EXPECT_NE(messages.find(CrLf({"44,Converting", "45,Please Wait", "46,Finished", "47,Conversion finished"})),
              std::string::npos);
    const std::string last = "50,Scale factor must be between 0.999600 and 1.000400\r\n";
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
    EXPECT_EQ(SplitLines(messages).size(), 51u);
}

TEST(CreateIniFile, WritesTheSameBytesTwiceAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    ProgramState state = folder.state();
    SettingsModel model;
    ASSERT_TRUE(CreateIniFile(model, state).ok());
    const std::string first = ReadBytes(state.IniPath);
    SettingsModel fresh;
    ASSERT_TRUE(CreateIniFile(fresh, state).ok());
    EXPECT_EQ(ReadBytes(state.IniPath), first);
    EXPECT_EQ(first, defaultText());
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);
}

TEST(CreateIniFile, ResetsTheSettingsButKeepsTheSendFormat)
{
    TempFolder folder;
    ProgramState state = folder.state();
    state.DialogAnswer = "CreateIniFile";
    SettingsModel model;
    model.settings.Speed = 1;
    model.settings.JobPath = "/data/";
    model.settings.HelpFileName = "/elsewhere/manual.doc";
    model.settings.DataSendFormat = 2;
    ASSERT_TRUE(CreateIniFile(model, state).ok());
    EXPECT_EQ(model.settings.Speed, 4);
    EXPECT_EQ(model.settings.JobPath, "");
    EXPECT_EQ(model.settings.HelpFileName, "TavreloManual.doc");
    EXPECT_EQ(model.settings.DataSendFormat, 2);
    EXPECT_TRUE(state.DialogAnswer.empty());
    EXPECT_FALSE(state.CreateIniMode);
    EXPECT_NE(ReadBytes(state.IniPath).find("\r\nDataSendFormat= 2 \r\n"), std::string::npos);
}

TEST(CreateIniFile, WritesTheTextsTheControlsHoldWithControlCharactersAsBlanks)
{
    SettingsModel model;
    model.control("fr1")->Caption = "Two\r\nlines\tand tab";
    model.control("ComDLN")->ToolTipText = "a\nb";
    model.control("ComExit")->FontSize = 10;
    const std::string text = DefaultIniText(model);
    EXPECT_NE(text.find("[Fr1]\r\nCaption=Two  lines and tab\r\n"), std::string::npos);
    EXPECT_NE(text.find("ToolTipText=a b\r\n"), std::string::npos);
    EXPECT_NE(sectionOf(text, "ComExit").find("FontSize= 10 \r\n"), std::string::npos);
    EXPECT_EQ(headersOf(text).size(), 193u);
}

TEST(CreateIniFile, ReportsAnUnwritableFolderByNameAndKeepsTheOldFile)
{
    TempFolder folder;
    // A file where the folder should be: no user, root included, can write there.
    const std::string blocker = folder.file("notafolder");
    ASSERT_EQ(WriteFileAtomically(blocker, "x"), 0);
    ProgramState state;
    state.AppPath = blocker + "/";
    state.IniPath = state.AppPath + "Tavrelo.ini";
    SettingsModel model;
    const SettingsFileResult result = CreateIniFile(model, state);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.message().find(state.IniPath), std::string::npos);
    EXPECT_EQ(ReadBytes(blocker), "x");
}

TEST(CreateIniFile, RebuildsTheFileALinkedSettingsFileLeadsTo)
{
    TempFolder folder;
    ProgramState state = folder.state();
    std::filesystem::create_directory(folder.file("shared"));
    ASSERT_EQ(WriteFileAtomically(folder.file("shared/Tavrelo.ini"), "hand-edited, broken"), 0);
    std::filesystem::create_symlink("shared/Tavrelo.ini", state.IniPath);
    SettingsModel model;
    ASSERT_TRUE(CreateIniFile(model, state).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(state.IniPath));
    EXPECT_EQ(ReadBytes(folder.file("shared/Tavrelo.ini")), defaultText());
}

TEST(BackupIniFile, KeepsTheUnreadableFileBesideTheRebuiltOne)
{
    TempFolder folder;
    ProgramState state = folder.state();
    ASSERT_EQ(WriteFileAtomically(state.IniPath, "hand-edited, broken"), 0);
    ASSERT_TRUE(BackupIniFile(state).ok());
    SettingsModel model;
    ASSERT_TRUE(CreateIniFile(model, state).ok());
    EXPECT_EQ(ReadBytes(folder.file("Tavrelo.ini.bak")), "hand-edited, broken");
    EXPECT_EQ(ReadBytes(state.IniPath), defaultText());
}

TEST(BackupIniFile, HasNothingToKeepWithoutAFile)
{
    TempFolder folder;
    EXPECT_TRUE(BackupIniFile(folder.state()).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.file("Tavrelo.ini.bak")));
}

TEST(LoadDefaultSettings, GivesTheModelARebuiltFileWouldGive)
{
    ProgramState state;
    state.AppPath = "/no/such/folder/";
    SettingsModel model;
    model.control("Fr1")->Caption = "edited";
    LoadDefaultSettings(model, state);
    EXPECT_TRUE(state.SettingsRead);
    EXPECT_EQ(model.control("Fr1")->Caption, "Source:");
    EXPECT_EQ(model.message(1), "Receive");
    EXPECT_EQ(model.message(50), "Scale factor must be between 0.999600 and 1.000400");
    EXPECT_EQ(model.PortList.size(), 4u);
    EXPECT_EQ(model.SpeedList.at(4), "19200");
    EXPECT_EQ(model.TipCoordFormat.at(1), "DXF settings");
    EXPECT_EQ(model.fileTypeMessage(5), "All files (*.*)");
    EXPECT_EQ(model.settings.HelpFileName, "/no/such/folder/TavreloManual.doc");
}

} // namespace
} // namespace tavrelo
