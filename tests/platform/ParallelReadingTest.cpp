// What the threaded readers stand on: whole-line blocks that give the same lines as
// the line reader, the worker pool, and the background prefault.
#include "platform/LineEnds.h"
#include "platform/LineReader.h"
#include "platform/MemoryAdvice.h"
#include "platform/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

using namespace tavrelo;

namespace {

// Lines of random length with every kind of line end, empty lines among them.
std::string MixedLineEnds(size_t lines, const char* last)
{
    std::mt19937 random(7);
    static const char* const ends[] = {"\r\n", "\n", "\r"};
    std::string text;
    for (size_t i = 0; i < lines; ++i) {
        text.append(random() % 5 == 0 ? 0 : random() % 90, static_cast<char>('a' + i % 26));
        text += ends[random() % 3];
    }
    return text + last;
}

// The line that the reader said ends the file without a line end after one that has
// it is marked by a "|" of its own after it.
const char kUnended[] = "|";

std::vector<std::string> LinesByReader(const std::string& path)
{
    LineReader reader(path);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) {
        lines.push_back(line);
        if (reader.lastLineUnended())
            lines.push_back(kUnended);
    }
    return lines;
}

std::vector<std::string> LinesByBlocks(const std::string& path, size_t want, size_t pieces)
{
    LineReader reader(path);
    std::vector<std::string> lines;
    std::vector<std::string_view> cut(pieces);
    std::string_view block;
    while (reader.nextBlock(block, want)) {
        CutAtLineEnds(block, cut);
        std::string joined;
        for (std::string_view piece : cut) {
            joined.append(piece);
            std::string_view line;
            const bool unended = reader.lastLineUnended() && !EndsLine(piece);
            while (NextLine(piece, line))
                lines.emplace_back(line);
            if (unended)
                lines.push_back(kUnended);
        }
        EXPECT_EQ(joined, block);
    }
    EXPECT_EQ(reader.error(), 0);
    return lines;
}

} // namespace

TEST(LineBlocks, GiveTheLinesOfTheLineReaderWhereverTheyAreCut)
{
    const auto path = (std::filesystem::temp_directory_path() / "tavrelo-blocks.txt").string();
    // Over 64 KiB, so that a block outgrows the reader's first buffer; the file ends
    // with a line end, a lone CR, a line without an end, and a blank line.
    for (const char* last : {"", "\r", "tail", "\r\n\r\n"}) {
        std::ofstream(path, std::ios::binary) << MixedLineEnds(4000, last);
        const std::vector<std::string> expected = LinesByReader(path);
        for (const size_t want : {1, 7, 100, 4096, 70000, 1 << 20})
            for (const size_t pieces : {1, 3, 8})
                EXPECT_EQ(LinesByBlocks(path, want, pieces), expected) << want << " " << pieces << " " << last;
    }
    // One line longer than a block, as long as the reader takes.
    std::ofstream(path, std::ios::binary) << std::string(LineReader::kLongestLine, 'x') << "\r\nshort\r\n";
    EXPECT_EQ(LinesByBlocks(path, 1000, 4), LinesByReader(path));
    std::filesystem::remove(path);
}

// The last line without a line end is told, by line and by block alike, only when a
// line end came before it: a file of one line without an end is whole.
TEST(LineBlocks, TellTheLastLineWithoutALineEndWhereverTheyAreCut)
{
    const auto path = (std::filesystem::temp_directory_path() / "tavrelo-unended.txt").string();
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb", {"a", "b", kUnended}},
        {"\nb", {"", "b", kUnended}},
        {"a\rb", {"a", "b", kUnended}},
        {"one line", {"one line"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb\r", {"a", "b"}},
        {MixedLineEnds(3000, "tail"), {}},
    };
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << c.text;
        std::vector<std::string> expected = LinesByReader(path);
        if (!c.lines.empty())
            EXPECT_EQ(expected, c.lines) << c.text;
        else
            EXPECT_EQ(expected.back(), kUnended);
        for (const size_t want : {1, 2, 7, 4096, 1 << 20})
            for (const size_t pieces : {1, 3, 8})
                EXPECT_EQ(LinesByBlocks(path, want, pieces), expected) << want << " " << pieces << " " << c.text;
    }
    std::filesystem::remove(path);
}

TEST(WorkerPool, RunsEveryTaskOnceAndHandsOnTheFirstFailure)
{
    for (const unsigned threads : {1u, 4u}) {
        WorkerPool pool(threads);
        EXPECT_EQ(pool.size(), threads);
        for (const size_t count : {0, 1, 257}) {
            std::vector<std::atomic<int>> runs(count);
            pool.run(count, [&](size_t i) { ++runs[i]; });
            for (size_t i = 0; i < count; ++i)
                EXPECT_EQ(runs[i], 1) << threads << " " << count << " " << i;
        }
        std::atomic<int> ended{0};
        EXPECT_THROW(pool.run(50,
                              [&](size_t i) {
                                  if (i == 10)
                                      throw std::runtime_error("task 10");
                                  ++ended;
                              }),
                     std::runtime_error);
        EXPECT_EQ(ended, 49); // the others all ran to their end first
        // Started, the caller goes on; wait finds every task done.
        std::vector<std::atomic<int>> runs(64);
        pool.start(runs.size(), [&](size_t i) { ++runs[i]; });
        int callerWork = 0;
        for (int i = 0; i < 1000; ++i)
            callerWork += i;
        pool.wait();
        EXPECT_EQ(callerWork, 499500);
        for (const auto& r : runs)
            EXPECT_EQ(r, 1);
    }
}

TEST(BackgroundPrefault, LeavesWhatIsWrittenAsItIs)
{
    // 48 MiB of room, enough to start the thread; half filled before, half while it runs.
    const size_t room = size_t(12) << 20;
    const auto value = [](size_t i) { return static_cast<uint32_t>(i * 2654435761u); };
    std::vector<uint32_t> table;
    table.reserve(room);
    for (size_t i = 0; i < room / 2; ++i)
        table.push_back(value(i));
    {
        BackgroundPrefault prefault;
        prefault.add(table.data(), room * sizeof(uint32_t));
        prefault.add(nullptr, 100);
        prefault.start();
        prefault.start(); // once only
        for (size_t i = room / 2; i < room; ++i)
            table.push_back(value(i));
    }
    ASSERT_EQ(table.size(), room);
    for (size_t i = 0; i < room; ++i)
        ASSERT_EQ(table[i], value(i)) << i;
}
