// Every reader of text splits it by the one rule of line ends: the line reader line by
// line and block by block, the settings file's lines, and the tests of whether a text
// or a file ends a line.
#include "platform/LineEnds.h"
#include "platform/LineReader.h"
#include "platform/Profile.h"
#include "platform/TextEnding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace tavrelo;

namespace {

using Lines = std::vector<std::string>;

Lines ReaderLines(const std::string& path)
{
    LineReader reader(path);
    Lines lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

// In blocks of want bytes, each cut into lines by NextLine.
Lines BlockLines(const std::string& path, size_t want)
{
    LineReader reader(path);
    Lines lines;
    std::string_view block;
    std::string_view line;
    while (reader.nextBlock(block, want))
        while (NextLine(block, line))
            lines.emplace_back(line);
    return lines;
}

} // namespace

TEST(LineEnds, EveryReaderOfTextSplitsTheSameLines)
{
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\rb\r\r\nc\r\n", {"a", "", "b", "", "c"}},
        {"\r\n\r\n", {"", ""}},
        {"\n\r", {"", ""}},
        {"one line", {"one line"}},
        {"a\r", {"a"}},
        {"", {}},
    };
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrelo-lineends-XXXXXX").string();
    const std::filesystem::path folder = ::mkdtemp(pattern.data());
    const std::string path = (folder / "text.txt").string();
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
        EXPECT_EQ(ReaderLines(path), c.lines) << c.text;
        for (const size_t want : {size_t(1), size_t(2), size_t(1) << 16})
            EXPECT_EQ(BlockLines(path, want), c.lines) << c.text << " in blocks of " << want;
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;

        const bool endsLine = c.text.empty() || c.text.back() == '\r' || c.text.back() == '\n';
        EXPECT_EQ(EndsLine(c.text), endsLine) << c.text;
        EXPECT_EQ(FileEndsLine(path), endsLine) << c.text;
        TextEnding byteByByte;
        for (const char byte : c.text)
            byteByByte.take(&byte, 1);
        EXPECT_EQ(byteByByte.endsLine(), endsLine) << c.text;
    }
    std::filesystem::remove_all(folder);
}
