// Reading the settings file: what a read restores, when it fails, and how the lists,
// messages and remembered choices are taken from the file.
#include "CaseName.h"
#include "TempFolder.h"
#include "app/SettingsFileReader.h"
#include "app/SettingsFileWriter.h"
#include "app/SettingsListScan.h"

#include <gtest/gtest.h>

#include <functional>

namespace tavrelo {
namespace {

using test::Replaced;
using test::TempFolder;

std::string defaultText()
{
    return DefaultIniText(SettingsModel());
}

struct ReadCase {
    const char* name;
    std::function<std::string(const std::string&)> edit;
    int attempt;
    bool succeeds;
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string withItems(const std::string& text, const std::string& afterHeader, int count)
{
    std::string items;
    for (int i = 0; i < count; ++i)
        items += "extra item " + std::to_string(i) + "\r\n";
    return Replaced(text, "[" + afterHeader + "]\r\n", "[" + afterHeader + "]\r\n" + items);
}

class ReadOutcomeTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadOutcomeTest, SetsSettingsRead)
{
    ProgramState state;
    SettingsModel model;
    SettingsReadReport report;
    const bool result = ReadIniText(GetParam().edit(defaultText()), model, state, GetParam().attempt, &report);
    EXPECT_EQ(result, GetParam().succeeds);
    EXPECT_EQ(state.SettingsRead, GetParam().succeeds);
    // Every failure names what could not be read.
    EXPECT_EQ(report.fault.empty(), GetParam().succeeds) << report.fault;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadOutcomeTest,
    ::testing::Values(
        ReadCase{"DefaultFile", [](const std::string& t) { return t; }, 0, true},
        ReadCase{"MissingMainCaption", [](const std::string& t) { return Replaced(t, "Caption=Source:\r\n", ""); }, 0, false},
        ReadCase{"EmptyHelpCaption", [](const std::string& t) { return Replaced(t, "Caption=Open &Help file", "Caption="); }, 0, false},
        ReadCase{"MissingCaptionOnSecondAttempt", [](const std::string& t) { return Replaced(t, "Caption=Source:\r\n", ""); }, 1, true},
        ReadCase{"MissingCaptionOfUnreadWebAddress", [](const std::string& t) { return Replaced(t, "Caption=www.zarel.example\r\n", ""); }, 0, true},
        ReadCase{"MissingCaptionOfDownloadWindow", [](const std::string& t) { return Replaced(t, "Caption=Download data\r\n", ""); }, 0, true},
        ReadCase{"NineteenFormatItems", [](const std::string& t) { return withItems(t, "Coortinate data options", 14); }, 0, true},
        ReadCase{"TwentiethFormatItem", [](const std::string& t) { return withItems(t, "Coortinate data options", 15); }, 0, false},
        ReadCase{"TwentiethFormatItemOnSecondAttempt", [](const std::string& t) { return withItems(t, "Zarel RAW data options", 12); }, 1, false},
        ReadCase{"ManyPortsHaveNoLimit", [](const std::string& t) { return withItems(t, "Coomunication Port", 40); }, 0, true},
        ReadCase{"MissingListHeader", [](const std::string& t) { return Replaced(t, "[Coomunication Speed]\r\n", ""); }, 0, false},
        ReadCase{"MisCasedListHeader", [](const std::string& t) { return Replaced(t, "[Coomunication Port]", "[Coomunication port]"); }, 0, false},
        ReadCase{"HeaderInsideALine", [](const std::string& t) { return Replaced(t, "[Coomunication Port]", "x [Coomunication Port] y"); }, 0, true},
        ReadCase{"EndBeforeMessages", [](const std::string& t) { return t.substr(0, t.find("[Messages]\r\n")); }, 0, false},
        ReadCase{"NoMessageLines", [](const std::string& t) { return t.substr(0, t.find("1,Receive")); }, 0, true},
        ReadCase{"SixteenBitOverflow", [](const std::string& t) { return Replaced(t, "Speed= 4 ", "Speed=32768"); }, 0, false},
        ReadCase{"NegativeSixteenBitOverflow", [](const std::string& t) { return Replaced(t, "Port= 0 ", "Port=-32769"); }, 0, false},
        ReadCase{"LowestSixteenBitValue", [](const std::string& t) { return Replaced(t, "Port= 0 ", "Port=-32768"); }, 0, true},
        ReadCase{"EmptyPortList", [](const std::string& t) { return Replaced(t, "COM1\r\nCOM2\r\nCOM3\r\nCOM4\r\n", ""); }, 0, false},
        ReadCase{"OtherReceiveKind", [](const std::string& t) { return Replaced(t, "OpReceive= 0 ", "OpReceive=2"); }, 0, true},
        ReadCase{"ReceiveKindBeyondItsOptions", [](const std::string& t) { return Replaced(t, "OpReceive= 0 ", "OpReceive=3"); }, 0, false},
        ReadCase{"NegativeReceiveKind", [](const std::string& t) { return Replaced(t, "OpReceive= 0 ", "OpReceive=-1"); }, 0, false},
        ReadCase{"MessageNumberBeyond32Bits", [](const std::string& t) { return t + "99999999999,too large\r\n"; }, 0, true},
        ReadCase{"EmptyFile", [](const std::string&) { return std::string(); }, 1, false}),
    test::CaseName<ReadCase>);

TEST(ReadIniFile, FailsWithoutAFileAndSucceedsAfterTheRebuild)
{
    TempFolder folder;
    ProgramState state = folder.state();
    SettingsModel model;
    SettingsReadReport report;
    EXPECT_FALSE(ReadIniFile(model, state, 0, &report));
    EXPECT_EQ(report.fault, "") << "no file is the first start, no fault of the file";
    ASSERT_TRUE(CreateIniFile(model, state).ok());
    EXPECT_TRUE(ReadIniFile(model, state, 1));
}

TEST(ReadIniFile, RestoresEveryControlTextThatWasWritten)
{
    SettingsModel written;
    for (ControlEntry& entry : written.controls()) {
        entry.text.Caption = entry.kind == ControlKind::TextBox || entry.kind == ControlKind::Combo
                                 ? std::string()
                                 : "Caption of " + entry.key;
        entry.text.FontName = "Arial";
        entry.text.FontBold = !entry.text.FontBold;
        entry.text.FontItalic = true;
        entry.text.FontSize = 9.75;
        entry.text.Height += 15;
        entry.text.Width += 30;
        entry.text.ToolTipText = entry.kind == ControlKind::Window ? std::string() : "Tip of " + entry.key;
    }
    SettingsModel read;
    ProgramState state;
    ASSERT_TRUE(ReadIniText(DefaultIniText(written), read, state, 0));
    for (size_t i = 0; i < written.controls().size(); ++i) {
        if (written.controls()[i].key == "Help_Net0")
            continue; // the first web address keeps its built-in text (below)
        const ControlText& a = written.controls()[i].text;
        const ControlText& b = read.controls()[i].text;
        SCOPED_TRACE(written.controls()[i].key);
        EXPECT_EQ(a.Caption, b.Caption);
        EXPECT_EQ(a.FontName, b.FontName);
        EXPECT_EQ(a.FontBold, b.FontBold);
        EXPECT_EQ(a.FontItalic, b.FontItalic);
        EXPECT_EQ(a.FontSize, b.FontSize);
        EXPECT_EQ(a.Width, b.Width);
        EXPECT_EQ(a.ToolTipText, b.ToolTipText);
        if (written.controls()[i].kind != ControlKind::Combo)
            EXPECT_EQ(a.Height, b.Height);
    }
}

TEST(ReadIniFile, FillsListsTooltipsAndSettings)
{
    TempFolder folder;
    ProgramState state = folder.state();
    SettingsModel model;
    model.TipCoordFormat[5] = "kept";
    const std::string text = Replaced(Replaced(defaultText(), "OpSourse= 0 ", "OpSourse=1"), "ProgramEditor=",
                                      "ProgramEditor=/usr/bin/editor");
    ASSERT_TRUE(ReadIniText(text, model, state, 0));
    EXPECT_EQ(model.RawFormatList.size(), 8u);
    EXPECT_EQ(model.CoordFormatFileList, (std::vector<std::string>{"DXF file", "KOF coordinate file"}));
    EXPECT_EQ(model.SendFormatList.at(3), "KOF");
    EXPECT_EQ(model.CoordLabelList.size(), 3u);
    EXPECT_EQ(model.TipRawFormat.at(7), "Coordinate file settings");
    EXPECT_EQ(model.TipRawFormat.at(0), "");
    EXPECT_EQ(model.TipCoordFormat.at(5), "kept");
    EXPECT_EQ(model.settings.OpSourse, 0) << "the program always starts with the instrument";
    EXPECT_EQ(model.settings.ProgramEditor, "/usr/bin/editor");
    EXPECT_EQ(model.settings.HelpFileName, folder.path() + "TavreloManual.doc");
    EXPECT_EQ(model.settings.HelpProgShow, "WORDPAD.EXE");
    EXPECT_EQ(model.message(7), "Do you wish to overwite or append data?");
}

struct HelpFileCase {
    const char* name;
    const char* line;
    const char* manual; // relative to the program folder; nullptr: no manual
};

void PrintTo(const HelpFileCase& c, std::ostream* os)
{
    *os << c.name;
}

class HelpFileTest : public ::testing::TestWithParam<HelpFileCase> {};

TEST_P(HelpFileTest, TakesTheManualFromTheProgramFolder)
{
    TempFolder folder;
    ProgramState state = folder.state();
    SettingsModel model;
    ASSERT_TRUE(ReadIniText(Replaced(defaultText(), "HelpFileName=TavreloManual.doc\r\n", GetParam().line), model,
                            state, 0));
    EXPECT_EQ(model.settings.HelpFileName, GetParam().manual ? folder.path() + GetParam().manual : "");
}

INSTANTIATE_TEST_SUITE_P(Values, HelpFileTest,
                         ::testing::Values(HelpFileCase{"AName", "HelpFileName=Guide.pdf\r\n", "Guide.pdf"},
                                           HelpFileCase{"KeyInOtherCaseAndBlanks", "helpfilename =  Guide.pdf \r\n", "Guide.pdf"},
                                           HelpFileCase{"EmptyName", "HelpFileName=\r\n", nullptr},
                                           HelpFileCase{"BlankName", "HelpFileName=   \r\n", nullptr},
                                           HelpFileCase{"NoKey", "", nullptr}),
                         test::CaseName<HelpFileCase>);

TEST(ReadIniFile, NeverAppliesTheFirstWebAddress)
{
    std::string text = Replaced(defaultText(), "[Help_Net0]\r\nCaption=www.zarel.example\r\nFontName=MS Sans Serif",
                                "[Help_Net0]\r\nCaption=elsewhere.example\r\nFontName=Arial");
    text = Replaced(text, "Caption=support.zarel.example", "Caption=help.example");
    SettingsModel model;
    ProgramState state;
    ASSERT_TRUE(ReadIniText(text, model, state, 0));
    EXPECT_EQ(model.control("Help_Net0")->Caption, "www.zarel.example");
    EXPECT_EQ(model.control("Help_Net0")->FontName, "MS Sans Serif");
    EXPECT_EQ(model.control("Help_Net1")->Caption, "help.example");
}

TEST(ReadIniFile, StartsFromTheInstrumentEvenWhenALaterValueFails)
{
    SettingsModel model;
    ProgramState state;
    const std::string text =
        Replaced(Replaced(defaultText(), "OpSourse= 0 ", "OpSourse=1"), "Port= 0 ", "Port=40000");
    EXPECT_FALSE(ReadIniText(text, model, state, 0));
    EXPECT_EQ(model.settings.OpSourse, 0);
}

TEST(ReadIniFile, ASecondReadListsNoItemTwice)
{
    SettingsModel model;
    ProgramState state;
    ASSERT_TRUE(ReadIniText(defaultText(), model, state, 0));
    ASSERT_TRUE(ReadIniText(defaultText(), model, state, 0));
    EXPECT_EQ(model.RawFormatList.size(), 8u);
    EXPECT_EQ(model.PortList.size(), 4u);
    EXPECT_EQ(model.FileTypeMessages.size(), 5u);
}

TEST(ReadIniFile, TakesListLinesAsTheyStand)
{
    std::string text = Replaced(defaultText(), "[Coomunication Port]\r\nCOM1\r\n",
                                "[Coomunication Port]\r\n   COM1\r\n    \r\n\t\r\n");
    std::string fileTypes;
    for (int i = 0; i < 25; ++i)
        fileTypes += "type " + std::to_string(i) + "\r\n";
    text = Replaced(text, "[Messages for file types]\r\n", "[Messages for file types]\r\n" + fileTypes);
    SettingsModel model;
    ProgramState state;
    ASSERT_TRUE(ReadIniText(text, model, state, 0));
    EXPECT_EQ(model.PortList, (std::vector<std::string>{"   COM1", "\t", "COM2", "COM3", "COM4"}));
    ASSERT_EQ(model.FileTypeMessages.size(), 19u);
    EXPECT_EQ(model.fileTypeMessage(19), "type 18");
}

struct MessageLineCase {
    const char* name;
    const char* line;
    int number; // 0: the line files nothing
    const char* text;
};

void PrintTo(const MessageLineCase& c, std::ostream* os)
{
    *os << c.name;
}

class MessageLineTest : public ::testing::TestWithParam<MessageLineCase> {};

TEST_P(MessageLineTest, FilesTheTextUnderItsNumber)
{
    SettingsModel model;
    EXPECT_TRUE(FileMessageLine(GetParam().line, model));
    for (int n = 1; n <= SettingsModel::kMessageCount; ++n)
        EXPECT_EQ(model.message(n), n == GetParam().number ? GetParam().text : "") << n;
}

INSTANTIATE_TEST_SUITE_P(Lines, MessageLineTest,
                         ::testing::Values(MessageLineCase{"CommasInTheText", "12,Text, with, commas", 12, "Text, with, commas"},
                                           MessageLineCase{"BlanksAroundTheNumber", "  7 ,  spaced  ", 7, "  spaced"},
                                           MessageLineCase{"HalfUpToEven", "3.5,half up to even", 4, "half up to even"},
                                           MessageLineCase{"HalfDownToEven", "2.5,half down to even", 2, "half down to even"},
                                           MessageLineCase{"LastNumber", "199,last", 199, "last"},
                                           MessageLineCase{"EmptyText", "5,", 5, ""},
                                           MessageLineCase{"NoNumber", ",no number", 0, ""},
                                           MessageLineCase{"NoComma", "no comma", 0, ""},
                                           MessageLineCase{"Zero", "0,zero", 0, ""},
                                           MessageLineCase{"TooHigh", "200,too high", 0, ""},
                                           MessageLineCase{"Negative", "-3,negative", 0, ""},
                                           MessageLineCase{"Beyond32Bits", "4294967297,beyond 32 bits", 0, ""},
                                           MessageLineCase{"Blanks", "   ", 0, ""}),
                         test::CaseName<MessageLineCase>);

TEST(ReadIniFile, EndsTheMessagesAtAHeaderAndLetsLaterLinesWin)
{
    const std::string text = defaultText() + "6,Second warning\r\n  [Appended]\r\n7,after the header\r\n";
    SettingsModel model;
    ProgramState state;
    ASSERT_TRUE(ReadIniText(text, model, state, 0));
    EXPECT_EQ(model.message(6), "Second warning");
    EXPECT_EQ(model.message(16), "Warning");
    EXPECT_EQ(model.message(7), "Do you wish to overwite or append data?");
}

struct ControlValueCase {
    const char* name;
    const char* fileLine;
    const char* replacement;
    std::function<bool(const ControlText&)> holds;
};

void PrintTo(const ControlValueCase& c, std::ostream* os)
{
    *os << c.name;
}

class ControlValueTest : public ::testing::TestWithParam<ControlValueCase> {};

TEST_P(ControlValueTest, AppliesOrSkipsTheValue)
{
    const std::string section = "[ComDLN]\r\nCaption=&Download\r\nFontName=MS Sans Serif\r\nFontBold=0\r\n"
                                "FontItalic=0\r\nFontSize= 8.25 \r\nHeight= 375 \r\nWidth=1215\r\nToolTipText=\r\n";
    const std::string text = Replaced(defaultText(), section,
                                      Replaced(section, GetParam().fileLine, GetParam().replacement));
    SettingsModel model;
    ProgramState state;
    EXPECT_TRUE(ReadIniText(text, model, state, 0)) << "a refused value never fails the read";
    EXPECT_TRUE(GetParam().holds(*model.control("comdln")));
}

INSTANTIATE_TEST_SUITE_P(
    Values, ControlValueTest,
    ::testing::Values(
        ControlValueCase{"BoldOne", "FontBold=0", "FontBold=1", [](const ControlText& c) { return c.FontBold; }},
        ControlValueCase{"BoldSeven", "FontBold=0", "FontBold=7", [](const ControlText& c) { return c.FontBold; }},
        ControlValueCase{"BoldMinusOne", "FontBold=0", "FontBold=-1", [](const ControlText& c) { return !c.FontBold; }},
        ControlValueCase{"ItalicWord", "FontItalic=0", "FontItalic=yes", [](const ControlText& c) { return !c.FontItalic; }},
        ControlValueCase{"ItalicWithBlanks", "FontItalic=0", "FontItalic= 1 ", [](const ControlText& c) { return c.FontItalic; }},
        ControlValueCase{"SizeZero", "FontSize= 8.25 ", "FontSize=0", [](const ControlText& c) { return c.FontSize == 8.25; }},
        ControlValueCase{"SizeNegative", "FontSize= 8.25 ", "FontSize=-4", [](const ControlText& c) { return c.FontSize == 8.25; }},
        ControlValueCase{"SizeTwelveAndAHalf", "FontSize= 8.25 ", "FontSize=12.5", [](const ControlText& c) { return c.FontSize == 12.5; }},
        ControlValueCase{"HeightNegative", "Height= 375 ", "Height=-15", [](const ControlText& c) { return c.Height == 375; }},
        ControlValueCase{"WidthNegative", "Width=1215", "Width=-1", [](const ControlText& c) { return c.Width == 1215; }},
        ControlValueCase{"EmptyFontName", "FontName=MS Sans Serif", "FontName=", [](const ControlText& c) { return c.FontName == "MS Sans Serif"; }},
        ControlValueCase{"ToolTipWithBlanks", "ToolTipText=", "ToolTipText=  Start  ", [](const ControlText& c) { return c.ToolTipText == "Start"; }}),
    test::CaseName<ControlValueCase>);

struct ChoiceCase {
    const char* name;
    const char* fileLine;
    const char* replacement;
    std::function<bool(const ProgramSettings&)> holds;
};

void PrintTo(const ChoiceCase& c, std::ostream* os)
{
    *os << c.name;
}

class ChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceTest, KeepsTheChoiceWithinItsList)
{
    SettingsModel model;
    ProgramState state;
    ASSERT_TRUE(ReadIniText(Replaced(defaultText(), GetParam().fileLine, GetParam().replacement), model, state, 0));
    EXPECT_TRUE(GetParam().holds(model.settings));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChoiceTest,
    ::testing::Values(
        ChoiceCase{"FormatBeyondItsList", "ComboDataFormatN= 0 ", "ComboDataFormatN=12", [](const ProgramSettings& s) { return s.ComboDataFormatN == 0; }},
        ChoiceCase{"LastFormatOfItsList", "ComboDataFormatN= 0 ", "ComboDataFormatN=7", [](const ProgramSettings& s) { return s.ComboDataFormatN == 7; }},
        ChoiceCase{"NegativeFormat", "ComboDataFormatN= 0 ", "ComboDataFormatN=-2", [](const ProgramSettings& s) { return s.ComboDataFormatN == 0; }},
        ChoiceCase{"PortBeyondItsList", "Port= 0 ", "Port=4", [](const ProgramSettings& s) { return s.Port == 0; }},
        ChoiceCase{"NegativePort", "Port= 0 ", "Port=-1", [](const ProgramSettings& s) { return s.Port == 0; }},
        ChoiceCase{"SpeedInItsList", "Speed= 4 ", "Speed=5", [](const ProgramSettings& s) { return s.Speed == 5; }},
        ChoiceCase{"SpeedHalfToEven", "Speed= 4 ", "Speed=2.5", [](const ProgramSettings& s) { return s.Speed == 2; }},
        ChoiceCase{"NegativeFlowControl", "FlowControl= 1 ", "FlowControl=-7", [](const ProgramSettings& s) { return s.FlowControl == 0; }},
        ChoiceCase{"CoordinateLabelsBeyondItsList", "StCombCoord1= 0 ", "StCombCoord1=3", [](const ProgramSettings& s) { return s.StCombCoord1 == 0; }},
        ChoiceCase{"EditorBeyondItsOptions", "StOpEditor= 0 ", "StOpEditor=2", [](const ProgramSettings& s) { return s.StOpEditor == 0; }},
        ChoiceCase{"OtherEditor", "StOpEditor= 0 ", "StOpEditor=1", [](const ProgramSettings& s) { return s.StOpEditor == 1; }},
        ChoiceCase{"NegativeSendFormat", "DataSendFormat= 0 ", "DataSendFormat=-3", [](const ProgramSettings& s) { return s.DataSendFormat == 0; }},
        ChoiceCase{"OriginalDataFormatTicked", "CheckOrigDF= 0 ", "CheckOrigDF=1", [](const ProgramSettings& s) { return s.CheckOrigDF == 1; }},
        ChoiceCase{"FileFormatKeptAsItStands", "ComboDataFormatNFile= 0 ", "ComboDataFormatNFile=9", [](const ProgramSettings& s) { return s.ComboDataFormatNFile == 9; }}),
    test::CaseName<ChoiceCase>);

TEST(ReadControlSection, EmptiesTheAnswerWordAndReportsAMissingCaption)
{
    const Profile ini("[KOF_Lb1]\r\nFontBold=1\r\n");
    ProgramState state;
    state.SettingsRead = true;
    state.DialogAnswer = "Append";
    ControlText label;
    label.Caption = "Project:";
    ReadControlSection(ini, label, "kof_lb1", ControlKind::Captioned, state);
    EXPECT_FALSE(state.SettingsRead);
    EXPECT_TRUE(state.DialogAnswer.empty());
    EXPECT_EQ(label.Caption, "Project:");
    EXPECT_TRUE(label.FontBold);
    state.SettingsRead = true;
    ReadControlSection(ini, label, "KOF_Lb1", ControlKind::TextBox, state);
    EXPECT_TRUE(state.SettingsRead) << "a text box has no caption to miss";
}

} // namespace
} // namespace tavrelo
