// Appending to a text target whose last line has no line end: the old content goes
// over byte for byte, the last line is found wherever the pieces of the copy cut the
// file, counted as the readers count lines, and the mark the store asks for goes
// before it only when new text follows; the raw-data mark is "CO,Cut short: " for a record the
// readers take values from, in a file whose other lines end.
#include "CoordTestSupport.h"

#include "conversion/ConversionDispatch.h"
#include "conversion/OutputTarget.h"
#include "platform/LineReader.h"

#include <gtest/gtest.h>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

struct Appended {
    std::string written;
    UnendedLastLine line;
};

Appended Append(const std::string& old, const std::string& added,
                OutputTarget::Content content = OutputTarget::Content::Text)
{
    TempFolder folder;
    const std::string path = folder.file("job.raw");
    WriteBytes(path, old);
    OutputTarget out(path, OutputTarget::Mode::Append, content,
                     [](const UnendedLastLine& line) { return CutRecordMark(line); });
    out.write(added);
    EXPECT_TRUE(out.commit());
    return {ReadBytes(path), out.unendedLastLine()};
}

} // namespace

TEST(AppendedLastLine, FoundAndMarkedWhereverThePiecesCutTheFile)
{
    const std::string cut = "SS,P2,1.500,50.000,100.0000,1";
    // 65 536 bytes are one piece of the copy: a CR LF split between two pieces, and a
    // lone CR and a lone LF among the line ends, count as three line ends.
    const std::string first(65536 - 2, 'x');
    const struct {
        const char* name;
        std::string old;
        int64_t lineNumber;
        std::string expected; // the old content after the append, before the added text
    } cases[] = {
        {"CR LF split between two pieces", first + "a\r\nb\rc\n" + cut, 4, first + "a\r\nb\rc\nCO,Cut short: " + cut + "\n"},
        {"the last line alone in the second piece", std::string(65535, 'x') + "\r" + cut, 2,
         std::string(65535, 'x') + "\rCO,Cut short: " + cut + "\r"},
        {"the last line over two pieces", std::string(65530, 'x') + "\r\n" + cut, 2,
         std::string(65530, 'x') + "\r\nCO,Cut short: " + cut + "\r\n"},
    };
    for (const auto& c : cases) {
        const Appended a = Append(c.old, "ST,S2\r\n");
        EXPECT_EQ(a.written, c.expected + "ST,S2\r\n") << c.name;
        EXPECT_TRUE(a.line.found) << c.name;
        EXPECT_EQ(a.line.lineNumber, c.lineNumber) << c.name;
        EXPECT_EQ(a.line.start, cut) << c.name;
        EXPECT_EQ(a.line.mark, "CO,Cut short: ") << c.name;
    }
}

TEST(AppendedLastLine, WhatIsLeftAsItCame)
{
    const std::string longest(LineReader::kLongestLine, 'x');
    const struct {
        const char* name;
        std::string old;
        std::string added;
        std::string written;
        bool found;
    } cases[] = {
        {"nothing added", "CO,a\r\nSS,P2,1.5", "", "CO,a\r\nSS,P2,1.5", true},
        {"a comment", "CO,a\r\nCO,Jobb: M\xe5ling", "B\r\n", "CO,a\r\nCO,Jobb: M\xe5ling\r\nB\r\n", true},
        {"a code no reader takes values from", "CO,a\r\nXX,1,2", "B\r\n", "CO,a\r\nXX,1,2\r\nB\r\n", true},
        {"a file of one line, whole to every reader", "SS,P2,1.5", "B\r\n", "SS,P2,1.5\r\nB\r\n", true},
        {"a line longer than any reader takes", "CO,a\n" + longest + "SS", "B", "CO,a\n" + longest + "SS\nB", true},
        {"blanks", "CO,a\r\n   ", "B\r\n", "CO,a\r\n   \r\nB\r\n", false},
        {"whole lines", "CO,a\r\nSS,P2\r\n", "B\r\n", "CO,a\r\nSS,P2\r\nB\r\n", false},
    };
    for (const auto& c : cases) {
        const Appended a = Append(c.old, c.added);
        EXPECT_EQ(a.written, c.written) << c.name;
        EXPECT_EQ(a.line.found, c.found) << c.name;
        EXPECT_EQ(a.line.mark, "") << c.name;
    }
    // A binary target is appended to byte for byte.
    EXPECT_EQ(Append("CO,a\r\nSS,P2,1.5", "B", OutputTarget::Content::Binary).written, "CO,a\r\nSS,P2,1.5B");
}

TEST(AppendedLastLine, TheRawDataMark)
{
    const struct {
        const char* start;
        bool linesBefore;
        const char* mark;
    } cases[] = {
        {"SS,P2,1.500,50.000,100.0000,1", true, "CO,Cut short: "},
        {"  ST ,S1,,B1", true, "CO,Cut short: "},
        {"UP,U1,,1,2,3,C", true, "CO,Cut short: "},
        {"SS", true, "CO,Cut short: "},
        {"CO,Temp: 20", true, ""},
        {"XX,1,2", true, ""},
        {"SS,P2,1.500,50.000,100.0000,1", false, ""},
    };
    for (const auto& c : cases) {
        UnendedLastLine line;
        line.found = true;
        line.start = c.start;
        line.linesBefore = c.linesBefore;
        EXPECT_EQ(CutRecordMark(line), c.mark) << c.start;
    }
}
