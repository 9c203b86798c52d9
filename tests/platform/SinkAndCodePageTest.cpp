#include "platform/ByteSink.h"
#include "platform/Cp1252.h"
#include "platform/LineReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace tavrelo;

TEST(Cp1252, RoundTripsAndMarksWhatItCannotHold)
{
    EXPECT_EQ(Utf8ToCp1252("Grad \xC2\xB0 \xE2\x82\xAC \xC3\xA6"), "Grad \xB0 \x80 \xE6");
    EXPECT_EQ(Cp1252ToUtf8("\xB0\x80\xE6"), "\xC2\xB0\xE2\x82\xAC\xC3\xA6");
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD x"), "? x"); // CJK has no byte
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");              // truncated sequence
}

TEST(Cp1252, EveryByteComesBackAsItWas)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    // The five bytes without a character stand for the control characters of their numbers.
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(AtomicFile, LandsWholeOrLeavesTheOldTarget)
{
    const auto folder = std::filesystem::temp_directory_path() / "tavrelo-atomic";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string target = (folder / "out.txt").string();
    std::ofstream(target, std::ios::binary) << "old";
    {
        AtomicFile file(target);
        file.writeLine("new");
        // destroyed without commit: the old target stays
    }
    std::string bytes;
    ReadWholeFile(target, bytes);
    EXPECT_EQ(bytes, "old");
    EXPECT_EQ(WriteFileAtomically(target, "new\r\n"), 0);
    ReadWholeFile(target, bytes);
    EXPECT_EQ(bytes, "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    EXPECT_NE(WriteFileAtomically((folder / "missing" / "x.txt").string(), "x"), 0);
    std::filesystem::remove_all(folder);
}
