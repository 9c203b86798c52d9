#include "platform/LineReader.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace tavrelo;

namespace {

struct TempFolder {
    TempFolder()
    {
        // A folder of its own, so suites run side by side never share one.
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrelo-profile-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

} // namespace

TEST(Profile, ReadsWithTheSettingsFileRules)
{
    const Profile p("[Main Form]\r\nCaption = Tavrelo \r\nEmpty=\r\nCaption=second\r\n[main form]\r\nOther=x\n"
                    "[Long]\rValue=" + std::string(300, 'v') + "\r\n[Last]\nKey=last");
    const struct { const char* section; const char* key; std::string value; } cases[] = {
        {"MAIN FORM", "caption", "Tavrelo"},  // case, blanks around key and value
        {"Main Form", "Empty", ""},           // empty reads as missing
        {"Main Form", "Other", ""},           // first matching section wins
        {"Main Form", "Missing", ""},
        {"Nowhere", "Caption", ""},
        {"Long", "Value", std::string(254, 'v')}, // lone CR line ends, 254 characters at most
        {"Last", "Key", "last"},                  // last line without an end
    };
    for (const auto& c : cases)
        EXPECT_EQ(p.get(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(Profile, WriteReplacesInPlaceAndAppendsWithoutReordering)
{
    TempFolder folder;
    const std::string path = folder.file("t.ini");
    writeBytes(path, "[A]\r\nk1=1\r\nk2=2\r\n\r\n[B]\r\nx=1\r\n\r\n");
    ASSERT_EQ(WriteProfileString("a", "K2", "two", path), 0);
    ASSERT_EQ(WriteProfileString("A", "k3", "three\r\nbroken", path), 0);
    ASSERT_EQ(WriteProfileString("C", "new", "v", path), 0);
    EXPECT_EQ(readBytes(path), "[A]\r\nk1=1\r\nK2=two\r\nk3=three  broken\r\n\r\n[B]\r\nx=1\r\n\r\n[C]\r\nnew=v\r\n");
    EXPECT_EQ(GetProfileString("A", "k3", path), "three  broken");
}

// A header among the items of a list opens no section: reads and writes of that
// section find its real header, and lines added before an item keep the marks on the
// items they belong to.
TEST(Profile, ItemLinesAreNoHeaders)
{
    const std::string bytes = "[Head]\r\na=1\r\n[Ports]\r\nCOM1\r\n[Default]\r\nCOM2\r\n[Default]\r\nPort=1\r\n"
                              "[Messages]\r\n";
    ItemLines items = {false, false, false, true, true, true};
    Profile profile(bytes);
    EXPECT_EQ(profile.get("Default", "Port"), "");
    profile.setItemLines(items);
    EXPECT_EQ(profile.get("Default", "Port"), "1");

    std::vector<std::string> lines = SplitLines(bytes);
    SetProfileLine(lines, "Head", "b", "2", SameValue::Rewrite, &items);
    SetProfileLine(lines, "Default", "Speed", "3", SameValue::Rewrite, &items);
    SetProfileLine(lines, "Default", "Port", "2", SameValue::Rewrite, &items);
    const std::vector<std::string> expected = {"[Head]",    "a=1",    "b=2",     "[Ports]",   "COM1",
                                               "[Default]", "COM2",   "[Default]", "Port=2", "Speed=3",
                                               "[Messages]"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(items, (ItemLines{false, false, false, false, true, true, true}));
}

TEST(LineReader, AcceptsEveryLineEnd)
{
    TempFolder folder;
    const std::string path = folder.file("lines.txt");
    writeBytes(path, "a\r\nb\rc\nd\r\n\r\ne");
    LineReader reader(path);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    LineReader missing(folder.file("none.txt"));
    EXPECT_EQ(missing.error(), 53);
    LineReader folderItself(folder.path.string());
    EXPECT_EQ(folderItself.error(), 75);
    LineReader noFolder(folder.file("none/x.txt"));
    EXPECT_EQ(noFolder.error(), 76);
}

TEST(LineReader, LinesAcrossItsBufferAreWhole)
{
    // For a reader without a limit: a CR LF split by the 64 KiB buffer is one line
    // end; a line longer than the buffer is one line; the views give the same lines as
    // the copies.
    TempFolder folder;
    const std::string path = folder.file("long.txt");
    const std::string first(65535, 'a');
    const std::string longLine(200000, 'b');
    writeBytes(path, first + "\r\n" + longLine + "\rlast\r");
    const std::vector<std::string> expected{first, longLine, "last"};
    std::vector<std::string> copies;
    std::string line;
    LineReader reader(path);
    reader.setLineLimit(LineReader::kNoLimit);
    while (reader.next(line))
        copies.push_back(line);
    EXPECT_EQ(copies, expected);
    std::vector<std::string> views;
    std::string_view view;
    reader.open(path);
    while (reader.next(view))
        views.emplace_back(view);
    EXPECT_EQ(views, expected);
    EXPECT_EQ(reader.error(), 0);
}
