// Paths are Windows-1252 inside the system and UTF-8 on a Linux disk: each facility of
// the platform layer finds and writes a file under the name the user sees.
#include "platform/ByteSink.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace tavrelo;
namespace fs = std::filesystem;

namespace {

// "æøå é ü" as the system holds it and as the program does.
const std::string kLettersUtf8 = "\xC3\xA6\xC3\xB8\xC3\xA5 \xC3\xA9 \xC3\xBC";
const std::string kLetters1252 = "\xE6\xF8\xE5 \xE9 \xFC";

// A fresh folder whose own name holds the letters, removed afterwards.
class LettersFolder {
public:
    LettersFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "tavrelo_names_XXXXXX").string();
        m_base = ::mkdtemp(pattern.data());
        fs::create_directory(fs::path(m_base) / kLettersUtf8);
    }
    ~LettersFolder() { fs::remove_all(m_base); }
    // The folder's path as the program holds it, with its separator.
    std::string held() const { return m_base + "/" + kLetters1252 + "/"; }
    fs::path onDisk(const std::string& utf8Name) const { return fs::path(m_base) / kLettersUtf8 / utf8Name; }

private:
    std::string m_base;
};

} // namespace

TEST(FileNames, NamesFromTheSystemAreHeldOrRefused)
{
    struct Case {
        const char* what;
        std::string system;
        bool held;
        std::string path;
    };
    const Case cases[] = {
        {"Norwegian letters", "/home/s/M\xC3\xA5ling 1 \xC3\xB8st.raw", true, "/home/s/M\xE5ling 1 \xF8st.raw"},
        {"letters of the code page's upper row", "\xE2\x82\xAC \xE2\x80\x93 \xC5\xA0", true, "\x80 \x96 \x8A"},
        {"a control character of an undefined byte", "a\xC2\x81", true, "a\x81"},
        {"L with stroke", "/home/s/\xC5\x81\xC3\xB3""d\xC5\xBA.raw", false, ""},
        {"Cyrillic", "\xD0\x94\xD0\xBE\xD0\xBC", false, ""},
        {"a byte that is no UTF-8", "\xF8st.raw", false, ""},
        {"an overlong slash", "a\xC0\xAF" "b", false, ""},
        {"a surrogate", "a\xED\xA0\x80", false, ""},
    };
    for (const Case& c : cases) {
        std::string path = "left over";
        EXPECT_EQ(FileNameFromSystem(c.system, path), c.held) << c.what;
        EXPECT_EQ(path, c.path) << c.what;
        if (c.held)
            EXPECT_EQ(SystemFileName(c.path), c.system) << c.what;
    }
}

// The name as given, in UTF-8, with the characters themselves: "Ł", not a code point.
TEST(FileNames, RefusalNamesTheCharacterAndTheName)
{
    const struct { const char* name; const char* text; } cases[] = {
        {"/jobs/\xC5\x81\xC3\xB3""d\xC5\xBA \xC3\xB8.raw",
         "The name \"/jobs/\xC5\x81\xC3\xB3""d\xC5\xBA \xC3\xB8.raw\" holds the characters \"\xC5\x81\", \"\xC5\xBA\","
         " which have no place in Windows-1252, the code page that the program keeps file names in."},
        {"\xC5\x81\xC5\x81.kof", "The name \"\xC5\x81\xC5\x81.kof\" holds the character \"\xC5\x81\", which has no"
                                 " place in Windows-1252, the code page that the program keeps file names in."},
        {"a\xF8", "The name \"a<0xF8>\" holds bytes (marked <0x..>) that are no character in the system's file-name"
                  " encoding."},
        {"M\xC3\xA5ling", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RefusedFileNameText(c.name), c.text) << c.name;
}

TEST(FileNames, EveryFacilityUsesTheNameOnDisk)
{
    LettersFolder folder;
    const std::string file = folder.held() + "M\xE5ling \xF8st.raw";
    const fs::path disk = folder.onDisk("M\xC3\xA5ling \xC3\xB8st.raw");

    ASSERT_EQ(WriteFileAtomically(file, "SS,1\r\n"), 0);
    EXPECT_TRUE(fs::is_regular_file(disk));
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.parent_path()), {}), 1); // no stray name beside it
    {
        FileSink sink(file, FileSink::Mode::Append);
        sink.writeLine("SS,2");
        EXPECT_TRUE(sink.close());
    }
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "SS,1\r\nSS,2\r\n");
    LineReader reader;
    ASSERT_TRUE(reader.open(file));
    std::string line;
    EXPECT_TRUE(reader.next(line));
    EXPECT_EQ(line, "SS,1");
    reader.close();

    std::uint64_t size = 0;
    EXPECT_EQ(OpenCheck(file), 0);
    EXPECT_TRUE(IsRegularFile(file));
    EXPECT_TRUE(IsWritableOrMissing(file));
    EXPECT_TRUE(NameTaken(file));
    EXPECT_TRUE(FileSize(file, size));
    EXPECT_EQ(size, 12u);
    EXPECT_TRUE(IsDirectory(folder.held()));
    EXPECT_EQ(CanonicalPath(file), CanonicalPath(folder.held() + "./M\xE5ling \xF8st.raw"));
    const std::string tail = "/" + kLetters1252 + "/M\xE5ling \xF8st.raw";
    const std::string canonical = CanonicalPath(file);
    EXPECT_EQ(canonical.substr(canonical.size() - std::min(canonical.size(), tail.size())), tail);

    // A link whose name and target hold the letters leads the atomic write to its target.
    fs::create_symlink("M\xC3\xA5ling \xC3\xB8st.raw", folder.onDisk("l\xC3\xA6nk"));
    EXPECT_EQ(WriteFileAtomically(folder.held() + "l\xE6nk", "new\r\n"), 0);
    EXPECT_TRUE(fs::is_symlink(folder.onDisk("l\xC3\xA6nk")));
    EXPECT_TRUE(ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "new\r\n");

    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(fs::exists(disk));
    EXPECT_EQ(OpenCheck(file), 53);
}
