// Point-number and code conversion of the KOF writers, and the [KOF Settings] store.
#include "CoordTestSupport.h"
#include "app/ProgramState.h"
#include "app/SettingsFileReader.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsFileWriter.h"
#include "app/SettingsModel.h"
#include "conversion/KofCoordinateWriter.h"
#include "conversion/KofOptions.h"
#include "conversion/KofPointNumbers.h"
#include "conversion/KofRawWriter.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

KofPointTable LoadedTable()
{
    ContextHarness h;
    KofPointTable table;
    EXPECT_EQ(LoadPointNumberTable(h.context, Fixture("kof_points.txt"), table), "");
    EXPECT_TRUE(h.ui.messages.empty());
    return table;
}

} // namespace

TEST(KofPointNumbers, FileLinesFillTheirEntries)
{
    const KofPointTable table = LoadedTable();
    EXPECT_EQ(table.entry(12), "RV");
    EXPECT_EQ(table.entry(7), "KUM"); // " 7 = KUM " trimmed both sides
    EXPECT_EQ(table.entry(150), "HIGH");
    EXPECT_EQ(table.entry(0), "X");  // "AB=X": the number of a text without one is 0
    EXPECT_EQ(table.entry(99), "");  // an empty text sets nothing
    EXPECT_EQ(table.entry(100), ""); // "100000=BIG" is out of range
}

TEST(KofPointNumbers, NamesConvertOnlyThroughTwoLeadingDigits)
{
    KofPointTable table = LoadedTable();
    table.loadLines("0=ZERO\r\n5=FIVE\r\n");
    const struct { const char* name; const char* converted; } cases[] = {
        {"12345", "RV345"}, {"07A", "KUMA"}, {" 12 ", "RV"}, {"150", "Q0"}, {"5", "5"},
        {"5X", "5X"}, {"AB12", "AB12"}, {"1", "1"}, {"  99X ", "99X"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertPointNumber(c.name, table), c.converted) << "'" << c.name << "'";
}

// A table holds one file's entries: a second file never converts names through what
// only the first one named.
TEST(KofPointNumbers, ALaterLoadHoldsOnlyItsOwnFile)
{
    TempFolder folder;
    ContextHarness h;
    KofPointTable table;
    WriteBytes(folder.file("first.txt"), "1=A\r\n2=B\r\n");
    WriteBytes(folder.file("second.txt"), "2=C\r\n");
    EXPECT_EQ(LoadPointNumberTable(h.context, folder.file("first.txt"), table), "");
    EXPECT_EQ(LoadPointNumberTable(h.context, folder.file("second.txt"), table), "");
    EXPECT_EQ(table.entry(1), "");
    EXPECT_EQ(table.entry(2), "C");
    EXPECT_EQ(LoadPointNumberTable(h.context, "", table), "E");
    EXPECT_EQ(table.entry(2), "");
}

TEST(KofPointNumbers, AMissingOrShortFileIsToldAndChangesNothing)
{
    TempFolder folder;
    WriteBytes(folder.file("short.txt"), "1=A");
    const struct { std::string path; bool told; } cases[] = {
        {"", false}, {folder.file("missing.txt"), true}, {folder.file("short.txt"), true}, {folder.path(), true},
    };
    for (const auto& c : cases) {
        ContextHarness h;
        KofPointTable table;
        EXPECT_EQ(LoadPointNumberTable(h.context, c.path, table), "E") << c.path;
        EXPECT_EQ(table.entry(1), "");
        ASSERT_EQ(h.ui.messages.size(), c.told ? 1u : 0u) << c.path;
        if (c.told) {
            EXPECT_EQ(h.ui.messages[0].text, c.path + " not found");
            EXPECT_EQ(h.ui.messages[0].title, "Load " + c.path);
            EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Exclamation);
        }
    }
    EXPECT_FALSE(Exists(folder.file("missing.txt"))); // the check creates no file
}

TEST(KofPointNumbers, SplitLastDash)
{
    const struct { const char* code; const char* head; const char* tail; } cases[] = {
        {"TREE", "TREE", ""}, {"-5", "", "5"}, {"A-B-C", "A-B", "C"}, {"TREE-", "TREE", ""}, {"", "", ""},
    };
    for (const auto& c : cases) {
        std::string code = c.code, tail = "old";
        SplitLastDash(code, tail);
        EXPECT_EQ(code, c.head) << c.code;
        EXPECT_EQ(tail, c.tail) << c.code;
    }
}

TEST(KofPointNumbers, RawConversionRenamesPointsAndStationsButNotBacksights)
{
    TempFolder folder;
    ContextHarness h;
    WriteBytes(folder.file("points.txt"), "12=RV\r\n");
    WriteBytes(folder.file("in.raw"), CrLf({"ST,1201,,1202,,1.5,0,0", "SS,1203,1.5,10,1,2,,C", "UP,12LONGNAME9,,1,2,3,"}));
    KofOptions options;
    options.KofpointFile = folder.file("points.txt");
    const struct { int setting; const char* station; const char* point; const char* coordinate; } cases[] = {
        {1, " 02 RV01       ", " 03 RV03       ", " 05 RVLONGNAME "}, // cut to 10 after the conversion
        {2, " 02 1201       ", " 03 1203       ", " 05 12LONGNAME"},  // loaded, not applied
        {0, " 02 1201       ", " 03 1203       ", " 05 12LONGNAME"},
    };
    for (const auto& c : cases) {
        options.UsePointNumberConversion = c.setting;
        h.context.kof = &options;
        ConvertRawToKOF(h.context, folder.file("in.raw"), folder.file("out.kof"));
        ASSERT_EQ(h.state.TransferStatus, "OK");
        const std::string kof = ReadBytes(folder.file("out.kof"));
        EXPECT_NE(kof.find(std::string("\r\n") + c.station), std::string::npos) << c.setting;
        EXPECT_NE(kof.find(std::string("\r\n") + c.point), std::string::npos) << c.setting;
        EXPECT_NE(kof.find(std::string("\r\n") + c.coordinate), std::string::npos) << c.setting;
        EXPECT_NE(kof.find("\r\n 03 1202       "), std::string::npos) << c.setting;
    }
}

// A point-number file that cannot be used stops both conversions before the target is
// touched, whatever an earlier run loaded; a run without a file named converts no name.
TEST(KofPointNumbers, AConversionFileThatCannotBeUsedStopsTheConversion)
{
    TempFolder folder;
    WriteBytes(folder.file("in.raw"), CrLf({"SS,1203,1.5,10,1,2,,C"}));
    WriteBytes(folder.file("in.asc"), CrLf({"1204,100,200,3,C"}));
    WriteBytes(folder.file("points.txt"), "12=RV\r\n");
    WriteBytes(folder.file("short.txt"), "1=A");
    const std::string target = folder.file("out.kof");
    for (const char* file : {"missing.txt", "short.txt"}) {
        for (auto* convert : {&ConvertRawToKOF, &ConvertCoorToKOF}) {
            ContextHarness h;
            KofOptions options;
            options.UsePointNumberConversion = 1;
            h.context.kof = &options;
            options.KofpointFile = folder.file("points.txt"); // a good file first
            convert(h.context, folder.file(convert == &ConvertRawToKOF ? "in.raw" : "in.asc"), target);
            ASSERT_EQ(h.state.TransferStatus, "OK");
            WriteBytes(target, "old\r\n");
            options.KofpointFile = folder.file(file);
            convert(h.context, folder.file(convert == &ConvertRawToKOF ? "in.raw" : "in.asc"), target);
            EXPECT_EQ(h.state.TransferStatus, "E") << file;
            ASSERT_EQ(h.ui.messages.size(), 1u) << file;
            EXPECT_EQ(h.ui.messages[0].text, options.KofpointFile + " not found" +
                                                 "\r\nThe KOF conversion was stopped: nothing was converted, and " +
                                                 target + " was not changed.");
            EXPECT_EQ(h.ui.messages[0].title, "Load " + options.KofpointFile);
            EXPECT_EQ(ReadBytes(target), "old\r\n") << file;
        }
    }
    ContextHarness h;
    KofOptions options;
    options.UsePointNumberConversion = 1;
    h.context.kof = &options;
    ConvertRawToKOF(h.context, folder.file("in.raw"), target);
    EXPECT_EQ(h.state.TransferStatus, "OK");
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_NE(ReadBytes(target).find(" 03 1203 "), std::string::npos);
}

TEST(KofOptions, DefaultsFromAFreshlyWrittenSettingsFile)
{
    const Profile settings(DefaultIniText(SettingsModel()));
    KofOptions options;
    LoadKofOptions(settings, "/prog/", options);
    EXPECT_EQ(options.Road, "");
    EXPECT_EQ(options.City, "");
    EXPECT_EQ(options.Surveyor, "");
    EXPECT_EQ(options.UsePointNumberConversion, 0);
    EXPECT_EQ(options.UseCodeConversion, 0);
    EXPECT_EQ(options.KofpointFile, "");
}

TEST(KofOptions, StoredValuesAndWhatEmptyKeysLeave)
{
    const Profile settings("[KOF Settings]\r\nRoad= E6 \r\nCity=\r\nUsePointNumberConversion = 1.5\r\n"
                           "UseCodeConversion=99999\r\nKofpointFile=points.txt\r\n");
    KofOptions options;
    options.City = "Bergen";
    options.Project = "JOB";
    options.UseCodeConversion = 1;
    LoadKofOptions(settings, "/prog/", options);
    EXPECT_EQ(options.Road, "E6");
    EXPECT_EQ(options.City, "Bergen");          // empty key: kept
    EXPECT_EQ(options.UsePointNumberConversion, 2); // 1.5 rounds half to even
    EXPECT_EQ(options.UseCodeConversion, 1);    // too large to round: kept
    EXPECT_EQ(options.KofpointFile, "/prog/points.txt");
    EXPECT_EQ(options.Project, "JOB");          // never stored
}

TEST(KofOptions, CheckBoxesTakeOnlyTheirThreeStates)
{
    // Each box starts checked (1); a stored value the box cannot hold leaves it so.
    const struct { const char* value; int expected; } cases[] = {
        {"0", 0}, {"2", 2}, {"2.5", 2} /* half to even */, {"0.5", 0}, {"2.6", 1}, {"3", 1}, {"-1", 1}, {"7", 1},
    };
    for (const auto& c : cases) {
        const Profile settings(std::string("[KOF Settings]\r\nUsePointNumberConversion=") + c.value +
                               "\r\nUseCodeConversion=" + c.value + "\r\n");
        KofOptions options;
        options.UsePointNumberConversion = 1;
        options.UseCodeConversion = 1;
        LoadKofOptions(settings, "/prog/", options);
        EXPECT_EQ(options.UsePointNumberConversion, c.expected) << c.value;
        EXPECT_EQ(options.UseCodeConversion, c.expected) << c.value;
    }
}

TEST(KofOptions, SaveWritesTheFiveKeysAndLeavesTheRest)
{
    TempFolder folder;
    const std::string ini = folder.file("Tavrelo.ini");
    WriteBytes(ini, "[KOF Settings]\r\nRoad= \r\nCity= \r\nSurveyor= \r\nUsePointNumberConversion = 0\r\n"
                    "UseCodeConversion = 0\r\nKofpointFile=points.txt\r\n[Help file]\r\n");
    KofOptions options;
    options.Project = "NOT STORED";
    options.Road = "Fifteen letters";
    options.Surveyor = "Ola";
    options.UsePointNumberConversion = 1;
    options.KofpointFile = "/elsewhere/file.txt";
    ASSERT_TRUE(SaveSettingsValues(KofSettingsValues(options), ini).ok());
    EXPECT_EQ(ReadBytes(ini), "[KOF Settings]\r\nRoad=Fifteen letters\r\nCity=\r\nSurveyor=Ola\r\n"
                              "UsePointNumberConversion=1\r\nUseCodeConversion=0\r\nKofpointFile=points.txt\r\n"
                              "[Help file]\r\n");
}

// "[KOF Settings]" typed by hand among the items of a list is an item of that list:
// the KOF window's OK saves into the real section after the lists, the start-up
// reads from there, and the next start reads the file, lists unchanged.
TEST(KofOptions, AHeaderTypedInAListIsNoSectionForTheWindowsSave)
{
    TempFolder folder;
    const std::string iniPath = folder.file("Tavrelo.ini");
    std::string text = DefaultIniText(SettingsModel());
    const std::string list = "\r\n[Coortinate data options]\r\n";
    ASSERT_NE(text.find(list), std::string::npos);
    text.insert(text.find(list) + 2, "[KOF Settings]\r\n");
    WriteBytes(iniPath, text);

    KofOptions saved;
    saved.Road = "E6";
    saved.UsePointNumberConversion = 1;
    ASSERT_TRUE(SaveSettingsValues(KofSettingsValues(saved), iniPath).ok());

    const std::string after = ReadBytes(iniPath);
    EXPECT_NE(after.find("[KOF Settings]\r\n[Coortinate data options]\r\n"), std::string::npos);
    SettingsModel model;
    ProgramState state;
    state.IniPath = iniPath;
    state.AppPath = folder.file("");
    EXPECT_TRUE(ReadIniText(after, model, state, 0));
    Profile settings;
    ASSERT_TRUE(LoadSettingsProfile(settings, iniPath));
    KofOptions loaded;
    LoadKofOptions(settings, "/prog/", loaded);
    EXPECT_EQ(loaded.Road, "E6");
    EXPECT_EQ(loaded.UsePointNumberConversion, 1);
}
