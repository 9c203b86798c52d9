#include "link/core/DownloadReceiver.h"
#include "platform/ByteSink.h"

#include <gtest/gtest.h>

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
    };
    const std::vector<Case> cases = {
        {"CR LF", "ab\r\ncd\r\n", "ab\r\ncd\r\n", 2, 4},
        {"LF CR", "ab\n\rcd\n\r", "ab\r\ncd\r\n", 2, 4},
        {"lone CR", "ab\rcd\r", "ab\r\ncd\r\n", 2, 4},
        {"lone LF ends nothing", "ab\ncd\n", "", 0, 0},
        {"rest after last CR not written", "ab\rcd", "ab\r\n", 1, 2},
        {"empty line written", "\r", "\r\n", 1, 0},
        {"0 and 128-255 dropped", std::string("a\0b\x80\xff\xe9" "c\r", 8), "abc\r\n", 1, 3},
    };
    for (const Case& c : cases) {
        Received r(c.wire);
        EXPECT_EQ(r.file.bytes(), c.file) << c.name;
        EXPECT_EQ(r.receiver.lineCount(), c.lines) << c.name;
        EXPECT_EQ(r.receiver.byteCount(), c.bytes) << c.name;
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

TEST(DownloadReceiver, ByteCountText)
{
    EXPECT_EQ(ByteCountText(0), "Bytes:   0");
    EXPECT_EQ(ByteCountText(10485760), "Bytes:   10485760");
}
