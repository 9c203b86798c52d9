#include "link/core/DownloadReceiver.h"
#include "platform/ByteSink.h"
#include "platform/LineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tavrelo;

namespace {

struct Received {
    StringSink file;
    DownloadReceiver receiver{file};
    explicit Received(const std::string& bytes) { receiver.take(bytes.data(), bytes.size()); }
};

std::string Lines(int count, const std::string& text)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += text + "\r";
    return bytes;
}

} // namespace

TEST(DownloadReceiver, WireRules)
{
    struct Case {
        const char* name;
        std::string wire;
        std::string file;
        int64_t lines, bytes;
        int64_t zeros = 0; // bytes 0 left out
    };
    const std::vector<Case> cases = {
        {"CR LF", "ab\r\ncd\r\n", "ab\r\ncd\r\n", 2, 4},
        {"LF CR", "ab\n\rcd\n\r", "ab\r\ncd\r\n", 2, 4},
        {"lone CR", "ab\rcd\r", "ab\r\ncd\r\n", 2, 4},
        {"lone LF ends nothing", "ab\ncd\n", "abcd", 0, 4},
        {"rest after the last CR written without a line end", "ab\rcd", "ab\r\ncd", 1, 4},
        {"no CR at all, written as it comes", "abcd", "abcd", 0, 4},
        {"empty line written", "\r", "\r\n", 1, 0},
        {"0 dropped, 128-255 kept", std::string("a\0b\x80\xff\xe9" "c\r", 8), "ab\x80\xff\xe9" "c\r\n", 1, 6, 1},
        {"letters of the code page", "GR\xd8" "FT,\xe6\xf8\xe5\r", "GR\xd8" "FT,\xe6\xf8\xe5\r\n", 1, 9},
    };
    for (const Case& c : cases) {
        Received r(c.wire);
        EXPECT_EQ(r.file.bytes(), c.file) << c.name;
        EXPECT_EQ(r.receiver.lineCount(), c.lines) << c.name;
        EXPECT_EQ(r.receiver.byteCount(), c.bytes) << c.name;
        EXPECT_EQ(r.receiver.zeroBytes(), c.zeros) << c.name;
    }
}

TEST(DownloadReceiver, DataStart)
{
    struct Case {
        const char* name;
        std::string wire;
        bool started;
    };
    const std::vector<Case> cases = {
        {"nothing yet", "", false},
        {"characters without a CR", "00NM", false},
        {"first data line", "00NMSC\r", true},
        {"lone CR first", "\r", true},
        {"one CO line", "CO,header\r", false},
        {"sixteen CO lines", Lines(16, "CO,h"), false},
        {"seventeen CO lines", Lines(17, "CO,h"), true},
        {"CO then data", "CO,h\rCO,h\r08TP,1\r", true},
        {"CO then a one-character line", "CO,h\rx\r\r", false},
        {"lower-case co is data", "co,h\r", true},
        {"C alone then CO", "C\rCO\r", true},
    };
    for (const Case& c : cases) {
        Received r(c.wire);
        EXPECT_EQ(r.receiver.dataStarted(), c.started) << c.name;
    }
}

TEST(DownloadReceiver, BytesSplitAnywhereGiveTheSameFile)
{
    const std::string wire = "CO,a\r\nCO,b\r\n08TP,1,2\r\n\r\n09F1,3\r\n";
    const std::string whole = Received(wire).file.bytes();
    StringSink file;
    DownloadReceiver receiver(file);
    for (char c : wire)
        receiver.take(&c, 1);
    EXPECT_EQ(file.bytes(), whole);
    EXPECT_EQ(receiver.headerCount(), 2);
}

// The line not yet ended is in the file and the count, whatever its length, and is
// held in memory only by its first characters; past the readers' limit it is no
// survey data.
TEST(DownloadReceiver, LineWithoutItsEnd)
{
    const std::string longest(LineReader::kLongestLine, 'x');
    struct Case {
        const char* name;
        std::string wire;
        int64_t longLine;
    };
    const std::vector<Case> cases = {
        {"the longest line a reader takes", longest + "\r", 0},
        {"the longest line, not ended", longest, 0},
        {"one character more, not ended", longest + "x", 1},
        {"one character more in the third line", "a\rb\r" + longest + "x\r", 3},
    };
    for (const Case& c : cases) {
        StringSink file;
        DownloadReceiver receiver(file);
        for (size_t at = 0; at < c.wire.size(); at += 4096) // as the port hands it over
            receiver.take(c.wire.data() + at, std::min<size_t>(4096, c.wire.size() - at));
        EXPECT_EQ(receiver.longLineNumber(), c.longLine) << c.name;
        EXPECT_EQ(receiver.lineTooLong(), c.longLine != 0) << c.name;
        EXPECT_EQ(file.bytes().size(), c.wire.size() + receiver.lineCount()) << c.name; // CR became CR LF
        EXPECT_LE(receiver.currentLineStart().size(), DownloadReceiver::kShownStart) << c.name;
    }
    Received cut("SS,52,1.500\r\nSS,53,1.500,7.479,149.949");
    EXPECT_EQ(cut.file.bytes(), "SS,52,1.500\r\nSS,53,1.500,7.479,149.949");
    EXPECT_EQ(cut.receiver.currentLineLength(), 25);
    EXPECT_EQ(cut.receiver.currentLineStart(), "SS,53,1.500,7.479,149.949");
    EXPECT_EQ(cut.receiver.byteCount(), 36);
}

TEST(DownloadReceiver, ByteCountText)
{
    EXPECT_EQ(ByteCountText(0), "Bytes:   0");
    EXPECT_EQ(ByteCountText(10485760), "Bytes:   10485760");
}
