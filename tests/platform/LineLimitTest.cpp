// The line limit of the readers: a line longer than the limit ends the reading with
// an error that names the file and the line, whatever the limit, the buffer and the
// way of reading; a reader never stops early without one.
#include "platform/ByteSink.h"
#include "platform/LineEnds.h"
#include "platform/LineReader.h"
#include "platform/Profile.h"
#include "platform/RunError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace tavrelo;

namespace {

struct Folder {
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrelo-limit-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
    std::filesystem::path path;
};

// What a reading gave: its lines, and how it ended.
struct Reading {
    std::vector<std::string> lines;
    int error = 0;
    int64_t failedLine = 0;
    std::string text;
};

Reading ByLines(const std::string& path, size_t limit)
{
    LineReader reader(path);
    reader.setLineLimit(limit);
    Reading r;
    std::string line;
    while (reader.next(line))
        r.lines.push_back(line);
    r.error = reader.error();
    r.failedLine = reader.failedLine();
    r.text = reader.errorText();
    return r;
}

Reading ByBlocks(const std::string& path, size_t limit, size_t want)
{
    LineReader reader(path);
    reader.setLineLimit(limit);
    Reading r;
    std::string_view block, line;
    while (reader.nextBlock(block, want))
        while (NextLine(block, line))
            r.lines.emplace_back(line);
    r.error = reader.error();
    r.failedLine = reader.failedLine();
    r.text = reader.errorText();
    return r;
}

} // namespace

TEST(LineLimit, ALongerLineEndsTheReadingAtItsNumberWhateverTheLimit)
{
    Folder folder;
    const std::string path = folder.file("lines.txt");
    const size_t defaultLimit = LineReader::kLongestLine;
    const struct {
        const char* what;
        size_t limit;
        size_t length;      // of line 3
        const char* end;    // after it
        bool refused;
    } cases[] = {
        {"as long as the limit", defaultLimit, defaultLimit, "\r\n", false},
        {"one longer", defaultLimit, defaultLimit + 1, "\r\n", true},
        {"one longer, a lone CR", defaultLimit, defaultLimit + 1, "\r", true},
        {"one longer, the last line", defaultLimit, defaultLimit + 1, "", true},
        // Limits at and beyond the reader's 64 KiB buffer.
        {"the buffer's size", 1 << 16, 1 << 16, "\n", false},
        {"past the buffer's size", 1 << 16, (1 << 16) + 1, "\n", true},
        {"far past it", 1 << 17, 300000, "\r\n", true},
        {"within a large limit", 1 << 19, 300000, "\r\n", false},
    };
    for (const auto& c : cases) {
        const std::string third(c.length, 'x');
        std::ofstream(path, std::ios::binary) << "a\r\nb\n" << third << c.end << (*c.end ? "c\r\n" : "");
        std::vector<std::string> whole{"a", "b", third};
        if (*c.end)
            whole.push_back("c");
        const std::vector<std::string> before{"a", "b"};
        std::vector<Reading> readings{ByLines(path, c.limit)};
        for (size_t want : {1, 1000, 1 << 20})
            readings.push_back(ByBlocks(path, c.limit, want));
        for (const Reading& r : readings) {
            if (!c.refused) {
                EXPECT_EQ(r.lines, whole) << c.what;
                EXPECT_EQ(r.error, 0) << c.what;
                continue;
            }
            EXPECT_EQ(r.error, RunError::LineTooLong) << c.what;
            EXPECT_EQ(r.failedLine, 3) << c.what;
            EXPECT_EQ(r.text, path + " is not a survey data file: line 3 is longer than " + std::to_string(c.limit) +
                                  " characters.")
                << c.what;
            // Only lines before it were handed out (by blocks, perhaps none).
            ASSERT_LE(r.lines.size(), before.size()) << c.what;
            EXPECT_TRUE(std::equal(r.lines.begin(), r.lines.end(), before.begin())) << c.what;
        }
    }
}

TEST(LineLimit, AHugeFileWithoutLineEndsCostsNoMemory)
{
    // 1 GB, sparse: no disk, and read whole it would cost a gigabyte or more.
    Folder folder;
    const std::string path = folder.file("huge.raw");
    std::ofstream(path, std::ios::binary) << "SS,P1,1.5,";
    std::filesystem::resize_file(path, 1'000'000'000);
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(ByLines(path, LineReader::kLongestLine).failedLine, 1);
    EXPECT_EQ(ByBlocks(path, LineReader::kLongestLine, 1 << 20).failedLine, 1);
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 32L * 1024) << "kB more at the peak";
}

TEST(LineLimit, AProfileFarLargerThanTheSettingsFileIsNotRead)
{
    Folder folder;
    const std::string path = folder.file("Tavrelo.ini");
    std::ofstream(path, std::ios::binary) << "[Default]\r\nKey=value\r\n";
    Profile small;
    EXPECT_TRUE(small.load(path));
    EXPECT_EQ(small.get("Default", "Key"), "value");
    std::filesystem::resize_file(path, 4 << 20);
    Profile huge;
    EXPECT_FALSE(huge.load(path));
    EXPECT_TRUE(huge.lines().empty());
    EXPECT_EQ(WriteProfileString("Default", "Key", "v", path), RunError::FileTooLarge);
    // Kept as it is, byte for byte, in pieces.
    const std::string copy = folder.file("Tavrelo.ini.bak");
    EXPECT_EQ(CopyFileAtomically(path, copy), 0);
    EXPECT_EQ(std::filesystem::file_size(copy), 4u << 20);
    std::string head(24, '\0');
    std::ifstream(copy, std::ios::binary).read(head.data(), 24);
    EXPECT_EQ(head.substr(0, 22), "[Default]\r\nKey=value\r\n");
}
