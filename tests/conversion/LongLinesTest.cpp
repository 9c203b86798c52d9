// A file of another kind chosen by mistake (gigabytes without a line end) on every
// road that reads text: the reading stops at the first line longer than any record,
// the user is told the file and the line, nothing is written and an old target stays
// as it was, and memory does not grow with the file. The files are sparse, so they
// cost neither disk nor time.
#include "CoordTestSupport.h"

#include "conversion/CalcOptions.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/CoordinateListLoader.h"
#include "conversion/KofOptions.h"
#include "conversion/KofRawWriter.h"
#include "conversion/RawCoordinateCalculator.h"
#include "map/core/MapTables.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

constexpr uintmax_t kHugeFile = 1'000'000'000;

// start, then zero bytes to 1 GB.
std::string HugeFile(const TempFolder& folder, const char* name, const std::string& start)
{
    const std::string path = folder.file(name);
    WriteBytes(path, start);
    std::filesystem::resize_file(path, kHugeFile);
    return path;
}

long PeakKilobytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The peak grows by at most this while a whole table of runs reads its huge files.
constexpr long kPeakGrowthKilobytes = 32 * 1024;

std::string TooLong(const std::string& path, int line)
{
    return path + " is not a survey data file: line " + std::to_string(line) + " is longer than " +
           std::to_string(LineReader::kLongestLine) + " characters.";
}

} // namespace

TEST(LongLines, EveryConverterRefusesTheFileAndKeepsTheOldTarget)
{
    TempFolder folder;
    // The first line whole (a point of a coordinate file, a record no raw reader
    // takes), the second without an end.
    const std::string huge = HugeFile(folder, "huge.raw", "P1,1,2,3,X\r\nP2,1,2,3,");
    const long before = PeakKilobytes();
    for (const ConverterEntry& converter : Converters()) {
        for (const bool withTarget : {true, false}) {
            if (!withTarget && std::string(converter.name) != "CalcRawCoordinates")
                continue;
            ContextHarness h;
            MapTables tables;
            h.context.map = &tables;
            const std::string target = withTarget ? folder.file("target.out") : kTablesOnlyOutput;
            if (withTarget)
                WriteBytes(target, "old\r\n");
            converter.run(h.context, huge, target);
            EXPECT_EQ(h.state.TransferStatus, "E") << converter.name;
            ASSERT_EQ(h.ui.messages.size(), 1u) << converter.name;
            EXPECT_EQ(h.ui.messages[0].text,
                      TooLong(huge, 2) + (withTarget ? " The target file was not changed." : ""))
                << converter.name;
            EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Critical) << converter.name;
            EXPECT_FALSE(h.ui.busy) << converter.name;
            if (withTarget)
                EXPECT_EQ(ReadBytes(target), "old\r\n") << converter.name;
            else
                EXPECT_FALSE(tables.hasPoints());
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2); // no temporary file
    EXPECT_LT(PeakKilobytes() - before, kPeakGrowthKilobytes) << "kB more at the peak";
}

TEST(LongLines, TheFilesAConversionReadsBesideItsInput)
{
    TempFolder folder;
    const std::string huge = HugeFile(folder, "huge.txt", "");
    const long before = PeakKilobytes();

    // The calculation's control-point file: the run ends, the target as it was.
    {
        ContextHarness h;
        CalcOptions options;
        options.ControlFileName = huge;
        h.context.calc = &options;
        const std::string target = folder.file("out.asc");
        WriteBytes(target, "old\r\n");
        WriteBytes(folder.file("in.raw"), CrLf({"ST,S1,,,,1.5,0,0", "SS,P1,1.5,10,20,100,,"}));
        CalcRawCoordinates(h.context, folder.file("in.raw"), target);
        EXPECT_EQ(h.state.TransferStatus, "E");
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0].text, TooLong(huge, 1) + " The target file was not changed.");
        EXPECT_EQ(ReadBytes(target), "old\r\n");
    }
    // The KOF point-number file: told as a file that cannot be loaded is told; the
    // conversion stops there, the target as it was.
    {
        ContextHarness h;
        KofOptions options;
        options.UsePointNumberConversion = 1;
        options.KofpointFile = huge;
        h.context.kof = &options;
        WriteBytes(folder.file("in.raw"), CrLf({"SS,1203,1.5,10,1,2,,C"}));
        const std::string target = folder.file("out.kof");
        WriteBytes(target, "old\r\n");
        ConvertRawToKOF(h.context, folder.file("in.raw"), target);
        EXPECT_EQ(h.state.TransferStatus, "E");
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0].text, TooLong(huge, 1) + "\r\nThe KOF conversion was stopped: nothing was"
                                                           " converted, and " + target + " was not changed.");
        EXPECT_EQ(h.ui.messages[0].title, "Load " + huge);
        EXPECT_EQ(ReadBytes(target), "old\r\n");
    }
    // The map's coordinate list: refused, the tables as they were.
    {
        MapTables tables;
        int error = 0;
        std::string text;
        EXPECT_EQ(LoadCoordinateList(tables, huge, 0, error, &text), ListLoad::Unreadable);
        EXPECT_EQ(error, RunError::LineTooLong);
        EXPECT_EQ(text, TooLong(huge, 1));
        EXPECT_FALSE(tables.hasPoints());
    }
    EXPECT_LT(PeakKilobytes() - before, kPeakGrowthKilobytes) << "kB more at the peak";
}
