// Saving back key by key: a read followed by a save changes only the number forms,
// kinds keep each section to its keys, and missing keys and sections are added.
#include "CaseName.h"
#include "TempFolder.h"
#include "../support/Unprivileged.h"
#include "app/SettingsFileReader.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsFileWriter.h"
#include "platform/ByteSink.h"
#include "platform/Profile.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrelo {
namespace {

using test::ReadBytes;
using test::Replaced;
using test::TempFolder;

// A fresh default file read into the model, as a run starts.
struct ReadFile {
    TempFolder folder;
    ProgramState state = folder.state();
    SettingsModel model;
    ReadFile()
    {
        EXPECT_TRUE(CreateIniFile(model, state).ok());
        EXPECT_TRUE(ReadIniFile(model, state, 0));
    }
};

// A save with nothing changed writes back the file that was read, the blanks the
// defaults put around numbers included; a changed value is written in its own form.
TEST(SaveIniFile, WithoutChangesWritesTheFileThatWasRead)
{
    ReadFile run;
    const std::string before = ReadBytes(run.state.IniPath);
    ASSERT_TRUE(SaveIniFile(run.model, run.state).ok());
    EXPECT_EQ(ReadBytes(run.state.IniPath), before);

    run.model.control("Main Form")->FontSize = 9;
    ASSERT_TRUE(SaveIniFile(run.model, run.state).ok());
    const std::vector<std::string> beforeLines = SplitLines(before);
    const std::vector<std::string> after = SplitLines(ReadBytes(run.state.IniPath));
    ASSERT_EQ(after.size(), beforeLines.size());
    std::vector<std::string> changed;
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != beforeLines[i])
            changed.push_back(beforeLines[i] + " -> " + after[i]);
    EXPECT_EQ(changed, std::vector<std::string>{"FontSize= 8.25  -> FontSize=9.00"});
}

TEST(SaveIniFile, WritesTheCurrentTextsAndChoices)
{
    ReadFile run;
    ControlText& window = *run.model.control("Main Form");
    window.FontSize = 10;
    window.FontBold = true;
    window.Height = 5000;
    run.model.control("DL_LbRAWdata")->Caption = "line\r\nbreak";
    run.model.control("KOF_Lb1")->Caption = "not saved on exit";
    run.model.control("ComFileName")->Caption = "job.raw";
    run.model.settings.CheckOrigDF = 1;
    run.model.settings.Port = -2;
    ASSERT_TRUE(SaveIniFile(run.model, run.state).ok());
    const Profile ini(ReadBytes(run.state.IniPath));
    EXPECT_EQ(ini.get("Main Form", "FontSize"), "10.00");
    EXPECT_EQ(ini.get("Main Form", "FontBold"), "1");
    EXPECT_EQ(ini.get("Main Form", "Height"), "5000");
    EXPECT_EQ(ini.get("DL_LbRAWdata", "Caption"), "line  break");
    EXPECT_EQ(ini.get("KOF_Lb1", "Caption"), "Project:");
    EXPECT_EQ(ini.get("ComFileName", "Caption"), "<filename>");
    EXPECT_EQ(ini.get("Default", "CheckOrigDF"), "1");
    EXPECT_EQ(ini.get("Default", "Port"), "-2");
}

TEST(SaveIniFile, AddsMissingKeysAndSectionsAndLeavesTheOthersAlone)
{
    ReadFile run;
    std::string text = ReadBytes(run.state.IniPath);
    text = Replaced(text, "[Help_ComOK]\r\nCaption=&OK\r\n", "[Help_ComOK]\r\n");
    text = Replaced(text, "\r\n[Default]\r\n", "\r\n[Defaults moved]\r\n");
    ASSERT_EQ(WriteFileAtomically(run.state.IniPath, text), 0);
    ASSERT_TRUE(SaveIniFile(run.model, run.state).ok());
    const std::string saved = ReadBytes(run.state.IniPath);
    const Profile ini(saved);
    EXPECT_EQ(ini.get("Help_ComOK", "Caption"), "&OK");
    EXPECT_NE(saved.find("[Help_ComOK]\r\nFontName="), std::string::npos);
    const size_t messages = saved.find("[Messages]");
    EXPECT_GT(saved.find("[Default]\r\nJobPath=\r\n"), messages) << "a missing section goes to the end";
    EXPECT_EQ(ini.get("Default", "Speed"), "4");
    EXPECT_NE(saved.find("[Help file]\r\nHelpFileName=TavreloManual.doc\r\nHelpProgShow =WORDPAD.EXE\r\n"),
              std::string::npos);
}

struct KindCase {
    const char* name;
    ControlKind kind;
    std::vector<std::string> keys;
};

void PrintTo(const KindCase& c, std::ostream* os)
{
    *os << c.name;
}

class SaveKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(SaveKindTest, WritesTheKeysOfItsKind)
{
    TempFolder folder;
    ControlText control;
    control.Caption = "Cap";
    control.ToolTipText = "Tip";
    control.Height = 300.4;
    control.Width = 1200.6;
    ASSERT_TRUE(SaveControlSection(control, "X", GetParam().kind, folder.file("t.ini")).ok());
    std::vector<std::string> lines = SplitLines(ReadBytes(folder.file("t.ini")));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "[X]");
    lines.erase(lines.begin());
    EXPECT_EQ(lines, GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SaveKindTest,
    ::testing::Values(KindCase{"Captioned", ControlKind::Captioned,
                               {"Caption=Cap", "FontName=MS Sans Serif", "FontBold=0", "FontItalic=0",
                                "FontSize=8.25", "Height=300", "Width=1201", "ToolTipText=Tip"}},
                      KindCase{"TextBox", ControlKind::TextBox,
                               {"FontName=MS Sans Serif", "FontBold=0", "FontItalic=0", "FontSize=8.25",
                                "Height=300", "Width=1201", "ToolTipText=Tip"}},
                      KindCase{"Combo", ControlKind::Combo,
                               {"FontName=MS Sans Serif", "FontBold=0", "FontItalic=0", "FontSize=8.25",
                                "Width=1201", "ToolTipText=Tip"}},
                      KindCase{"Window", ControlKind::Window,
                               {"Caption=Cap", "FontName=MS Sans Serif", "FontBold=0", "FontItalic=0",
                                "FontSize=8.25", "Height=300", "Width=1201"}}),
    test::CaseName<KindCase>);

TEST(SaveControlSections, SavesADialogsOwnSectionsInPlace)
{
    ReadFile run;
    run.model.control("CoordForm_Op0")->Caption = "Komma";
    run.model.control("CoordFormUL")->Width = 6000;
    const std::string before = ReadBytes(run.state.IniPath);
    ASSERT_TRUE(SaveControlSections(run.model, {"CoordFormUL", "CoordForm_Op0"}, run.state.IniPath).ok());
    const std::string after = ReadBytes(run.state.IniPath);
    EXPECT_EQ(SplitLines(after).size(), SplitLines(before).size());
    const Profile ini(after);
    EXPECT_EQ(ini.get("CoordForm_Op0", "Caption"), "Komma");
    EXPECT_EQ(ini.get("CoordFormUL", "Width"), "6000");
    EXPECT_EQ(ini.get("CoordForm_Op1", "FontSize"), "8.25") << "an unsaved section keeps its print form";
}

TEST(SaveIniFile, LeavesAReadOnlyFileUnchanged)
{
    ReadFile run;
    const std::string before = ReadBytes(run.state.IniPath);
    ASSERT_EQ(::chmod(run.state.IniPath.c_str(), 0444), 0);
    testing::OpenFolderToEveryone(run.folder.path());
    // As a user who may not write it (root may write any file).
    EXPECT_EQ(testing::RunUnprivileged([&]() -> std::string {
                  const SettingsFileResult result = SaveIniFile(run.model, run.state);
                  if (result.ok())
                      return "saved";
                  return ReadBytes(run.state.IniPath) == before ? "" : "the file changed";
              }),
              "");
}

// A window's keys go in one edit: the bytes are those of one keyed write after the
// other (a header typed among a list's items is no section for any of them, a missing
// key or section is added), and when the next start would refuse the result, none of
// the keys is written.
TEST(SaveSettingsValues, SavesAllTheKeysAsWriteAfterWriteOrNone)
{
    ReadFile run;
    const std::string list = "\r\n[Coortinate data options]\r\n";
    ASSERT_TRUE(WriteFileAtomically(run.state.IniPath, Replaced(ReadBytes(run.state.IniPath), list,
                                                                list + "[KOF Settings]\r\n")) == 0);
    const std::string before = ReadBytes(run.state.IniPath);
    const std::vector<KeyedValue> values = {
        {"KOF Settings", "Road", "E6"}, {"Kof settings", "Extra", "x"}, {"New Section", "Key", "v"}};

    const std::string oneByOne = run.folder.file("one-by-one.ini");
    ASSERT_EQ(WriteFileAtomically(oneByOne, before), 0);
    for (const KeyedValue& value : values)
        ASSERT_TRUE(SaveSettingsValues({value}, oneByOne).ok());
    ASSERT_TRUE(SaveSettingsValues(values, run.state.IniPath).ok());
    const std::string after = ReadBytes(run.state.IniPath);
    EXPECT_EQ(after, ReadBytes(oneByOne));
    EXPECT_NE(after.find(list + "[KOF Settings]\r\n"), std::string::npos) << "the item stays as typed";
    const Profile saved = SettingsProfile(after);
    EXPECT_EQ(saved.get("KOF Settings", "Road"), "E6");
    EXPECT_EQ(saved.get("KOF Settings", "Extra"), "x");
    EXPECT_EQ(saved.get("New Section", "Key"), "v");

    const SettingsFileResult refused =
        SaveSettingsValues({{"KOF Settings", "Road", "E18"}, {"Default", "Port", "99999"}}, run.state.IniPath);
    EXPECT_EQ(refused.error, RunError::SettingsRefused);
    EXPECT_EQ(refused.why, "Port=99999 in [Default] is beyond the numbers -32768 to 32767");
    EXPECT_EQ(ReadBytes(run.state.IniPath), after) << "not even the first key is written";
}

// A save that the next start would refuse (a caption of the main window cleared in
// setup mode's editor) leaves the file as it was and says why; a file the start
// refuses already is written, as nothing read can be lost by it.
TEST(SaveIniFile, NeverTurnsAFileTheStartReadsIntoOneItRefuses)
{
    ReadFile run;
    const std::string before = ReadBytes(run.state.IniPath);
    run.model.control("Fr1")->Caption.clear();
    const SettingsFileResult refused = SaveIniFile(run.model, run.state);
    EXPECT_EQ(refused.error, RunError::SettingsRefused);
    EXPECT_EQ(refused.message(), "Cannot write the settings file " + run.state.IniPath +
                                     ": The program would not read it at its next start: the key Caption of the "
                                     "section [Fr1] is missing or empty. The file was left as it was.");
    EXPECT_EQ(ReadBytes(run.state.IniPath), before);

    const std::string cut = before.substr(0, before.find("[Messages]"));
    ASSERT_EQ(WriteFileAtomically(run.state.IniPath, cut), 0);
    run.model.control("Fr1")->Caption = "Kilde";
    ASSERT_TRUE(SaveIniFile(run.model, run.state).ok());
    EXPECT_EQ(Profile(ReadBytes(run.state.IniPath)).get("Fr1", "Caption"), "Kilde");
}

TEST(SaveIniFile, WritesAPointWhateverTheLocale)
{
    const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "nb_NO.UTF-8", "fr_FR.UTF-8", "de_DE"};
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* chosen = nullptr;
    for (const char* name : locales)
        if ((chosen = std::setlocale(LC_NUMERIC, name)) != nullptr)
            break;
    if (!chosen)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    ReadFile run;
    run.model.control("Fr1")->FontSize = 8.25;
    ASSERT_TRUE(SaveIniFile(run.model, run.state).ok());
    const std::string created = DefaultIniText(run.model);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(Profile(ReadBytes(run.state.IniPath)).get("Fr1", "FontSize"), "8.25");
    EXPECT_NE(created.find("FontSize= 8.25 "), std::string::npos);
}

} // namespace
} // namespace tavrelo
