// tavrelo-bench NAME INPUT OUTPUT [append|overwrite]: the converter runs with every
// option section of the settings file in the current folder, and the last word picks
// the target mode.
#include "CoordTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

using namespace tavrelo::testing;

namespace {

// Runs the bench in folder; returns its exit code.
int RunBench(const TempFolder& folder, const std::string& arguments)
{
    const std::string command =
        "cd '" + folder.path() + "' && '" + TAVRELO_BENCH + "' " + arguments + " 2>bench.log";
    return WEXITSTATUS(std::system(command.c_str()));
}

} // namespace

TEST(BenchCommand, ReadsEveryOptionSectionOfTheSettingsFile)
{
    TempFolder folder;
    WriteBytes(folder.file("points.asc"), CrLf({"P1,6500100.000,500200.000,12.345,TREE"}));
    WriteBytes(folder.file("Tavrelo.ini"), CrLf({"[KOF Settings]", "Road=Ringvei", "Surveyor=Ola",
                                                 "[DXF Settings]", "Dxf_Point_Layer=MYPOINTS"}));
    ASSERT_EQ(RunBench(folder, "ConvertCoorToKOF points.asc job.kof"), 0);
    const std::string kof = ReadBytes(folder.file("job.kof"));
    EXPECT_NE(kof.find("Ringvei"), std::string::npos) << kof;
    EXPECT_NE(kof.find("Ola"), std::string::npos) << kof;
    EXPECT_NE(kof.find("job"), std::string::npos) << kof; // the project from the output's name
    ASSERT_EQ(RunBench(folder, "ConvertCoorToDXF points.asc drawing.dxf"), 0);
    EXPECT_NE(ReadBytes(folder.file("drawing.dxf")).find("\r\nMYPOINTS\r\n"), std::string::npos);
}

TEST(BenchCommand, LastWordPicksAppendOrOverwrite)
{
    TempFolder folder;
    WriteBytes(folder.file("points.asc"), CrLf({"P1,1,2,3,C"}));
    WriteBytes(folder.file("out.txt"), "old\r\n");
    ASSERT_EQ(RunBench(folder, "ConvertCoorToUserCoor points.asc out.txt append"), 0);
    EXPECT_EQ(ReadBytes(folder.file("out.txt")), "old\r\nP1,1,2,3,C\r\n");
    ASSERT_EQ(RunBench(folder, "ConvertCoorToUserCoor points.asc out.txt overwrite"), 0);
    EXPECT_EQ(ReadBytes(folder.file("out.txt")), "P1,1,2,3,C\r\n");
    ASSERT_EQ(RunBench(folder, "ConvertCoorToUserCoor points.asc out.txt"), 0);
    EXPECT_EQ(ReadBytes(folder.file("out.txt")), "P1,1,2,3,C\r\n");
    EXPECT_EQ(RunBench(folder, "ConvertCoorToUserCoor points.asc out.txt sideways"), 2);
}

// The command-line words name files as the system spells them (UTF-8): the file is
// found under its name, the KOF project taken from the output's name is written in
// Windows-1252, and a name Windows-1252 cannot hold is refused before anything runs.
TEST(BenchCommand, FileNamesAreTheSystemsOwn)
{
    TempFolder folder;
    WriteBytes(folder.file("M\xC3\xA5ling \xC3\xB8st.asc"), CrLf({"P1,6500100.000,500200.000,12.345,TREE"}));
    ASSERT_EQ(RunBench(folder, "ConvertCoorToKOF 'M\xC3\xA5ling \xC3\xB8st.asc' 'Jobb \xC3\xB8st.kof'"), 0);
    const std::string kof = ReadBytes(folder.file("Jobb \xC3\xB8st.kof"));
    EXPECT_NE(kof.find("Jobb \xF8st"), std::string::npos) << kof;

    WriteBytes(folder.file("\xC5\x81\xC3\xB3""d\xC5\xBA.asc"), CrLf({"P1,1,2,3,C"}));
    EXPECT_EQ(RunBench(folder, "ConvertCoorToUserCoor '\xC5\x81\xC3\xB3""d\xC5\xBA.asc' out.txt"), 2);
    EXPECT_FALSE(Exists(folder.file("out.txt")));
    EXPECT_NE(ReadBytes(folder.file("bench.log")).find("the characters \"\xC5\x81\", \"\xC5\xBA\""), std::string::npos)
        << ReadBytes(folder.file("bench.log"));
}

// settings-save: every save it times ran (no window refused its OK, no save failed) and
// the file after them is named by its checksum, so two builds can be compared; it runs
// without a display.
TEST(BenchCommand, SettingsSaveTimesEveryWindowsOkAndExit)
{
    TempFolder folder;
    ASSERT_EQ(RunBench(folder, "settings-save 2"), 0);
    const std::string log = ReadBytes(folder.file("bench.log"));
    for (const char* save : {"DXF window OK ", "KOF window OK ", "SDR-33 window OK ", "calculation window OK ",
                             "field order window OK ", "DXF window OK, setup mode ", "Exit "})
        EXPECT_NE(log.find(std::string("  ") + save), std::string::npos) << save << "\n" << log;
    EXPECT_NE(log.find("2 runs on the default settings file of "), std::string::npos) << log;
    EXPECT_NE(log.find("settings file after the saves: "), std::string::npos) << log;
    EXPECT_NE(log.find(" bytes, checksum "), std::string::npos) << log;
}
