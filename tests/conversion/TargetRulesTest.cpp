// What every converter does with the target it is given, as a table of target kinds
// against the converters: a file it reads, a symbolic link, a pipe, a device, a
// read-only file, a long name, and a writable file's permission bits.
#include "CoordTestSupport.h"
#include "../support/Unprivileged.h"

#include "conversion/BinaryRecordWriter.h"
#include "conversion/CalcOptions.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/KofOptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dirent.h>
#include <new>
#include <set>
#include <sys/stat.h>

// This test program's allocations, so that a test can make a large one fail as it
// would when memory runs out: while gRefuseAbove is not 0, a request for more bytes
// than it throws std::bad_alloc.
namespace {
std::atomic<size_t> gRefuseAbove{0};
}

void* operator new(size_t size)
{
    const size_t limit = gRefuseAbove.load();
    if (limit != 0 && size > limit)
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

struct ConverterCase {
    const char* name;
    const char* fixture; // an input it converts with success
};

const ConverterCase kConverters[] = {
    {"ConvertCoorToUserCoor", "dxf_points_nez.asc"}, {"ConvertRawToCoorComma", "dxf_coordinates.raw"},
    {"ConvertRawToCoorSpace", "dxf_coordinates.raw"}, {"CalcRawCoordinates", "free_survey.raw"},
    {"ConvertCoorToDXF", "dxf_points_nez.asc"},      {"ConvertRawToDXF", "dxf_coordinates.raw"},
    {"ConvertCoorToSDR33", "sdr_points_nez.asc"},    {"ConvertRawToRecordFile", "bin_survey.raw"},
    {"ConvertRawToKOF", "kof_raw.raw"},              {"ConvertCoorToKOF", "kof_coordinates.txt"},
    {"ConvertRawToMapa2", "mapa_survey.raw"},        {"ConvertRawToEghas", "listing_survey.raw"},
    {"ConvertRawToNedcad", "listing_survey.raw"},
};

// One converter run in a folder of its own, the input copied into it.
struct TargetRun : ContextHarness {
    explicit TargetRun(const ConverterCase& c) : converter(c)
    {
        input = folder.file(std::string("in_") + c.fixture);
        WriteBytes(input, ReadBytes(Fixture(c.fixture)));
    }
    void convert(const std::string& target)
    {
        state.TransferStatus = "before";
        FindConverter(converter.name)->run(context, input, target);
    }
    std::string what(const char* kind) const { return std::string(converter.name) + ", " + kind; }

    ConverterCase converter;
    TempFolder folder;
    std::string input;
};

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode;
}

// A target that must be refused: "E", one critical message, and `kept` as it was.
void ExpectRefused(TargetRun& run, const std::string& target, const std::string& kept, const std::string& before,
                   const char* kind)
{
    run.convert(target);
    EXPECT_EQ(run.state.TransferStatus, "E") << run.what(kind);
    ASSERT_EQ(run.ui.messages.size(), 1u) << run.what(kind);
    EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Critical) << run.what(kind);
    EXPECT_EQ(ReadBytes(kept), before) << run.what(kind);
    EXPECT_FALSE(run.ui.busy) << run.what(kind);
}

size_t FilesIn(const std::string& folder)
{
    size_t count = 0;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            count += entry->d_name[0] != '.';
        ::closedir(dir);
    }
    return count;
}

} // namespace

TEST(TargetRules, EveryConverterOfTheTableSucceedsOnANewName)
{
    for (const ConverterCase& c : kConverters) {
        TargetRun run(c);
        run.convert(run.folder.file("out"));
        EXPECT_EQ(run.state.TransferStatus, "OK") << c.name;
        EXPECT_TRUE(run.ui.messages.empty()) << c.name;
    }
}

// Text appended to a target whose last line has no line end (a file of another
// program, an editor's, a download cut short) starts on a line of its own, after the
// target's own line end (CR LF when it has none); the old content stays byte for
// byte. A coordinate list's last line cut off there (lines before it end) gets the
// mark that every reader of coordinate lists leaves out (CoordinateLineGate.h) before
// it. The binary record file is appended to byte for byte, from its record boundary.
// A DXF drawing is never appended to.
TEST(TargetRules, AppendedTextStartsOnALineOfItsOwn)
{
    struct Ending {
        const char* before; // the old content: these lines, then last
        const char* last;
        const char* lineEnd; // what comes between the old content and the new
    };
    const Ending endings[] = {
        {"P1,1.000,2.000,3.000\r\n", "P2,1.500,50.000,100.0", "\r\n"},
        {"P1,1.000,2.000,3.000\n", "P2,1.500,50.000,100.0", "\n"},
        {"P1,1.000,2.000,3.000\r", "P2,1.500,50.000,100.0", "\r"},
        {"", "P2,1.500,50.000,100.0", "\r\n"},
        {"P1,1.000,2.000,3.000\n", "", ""},
        {"P1,1.000,2.000,3.000\r", "", ""},
        {"", "", ""},
    };
    const std::set<std::string> coordinateLists = {"ConvertCoorToUserCoor", "ConvertRawToCoorComma",
                                                   "ConvertRawToCoorSpace", "CalcRawCoordinates"};
    for (const ConverterCase& c : kConverters) {
        const std::string name = c.name;
        if (name == "ConvertCoorToDXF" || name == "ConvertRawToDXF")
            continue;
        TargetRun fresh(c); // the same name: the SDR-33 header carries it
        fresh.convert(fresh.folder.file("old"));
        const std::string added = ReadBytes(fresh.folder.file("old"));
        ASSERT_FALSE(added.empty()) << name;
        for (const Ending& e : endings) {
            TargetRun run(c);
            const std::string target = run.folder.file("old");
            const std::string old = std::string(e.before) + e.last;
            WriteBytes(target, old);
            run.state.OutputFileMode = 1;
            run.convert(target);
            const bool marked = coordinateLists.count(name) && *e.before && *e.last;
            const std::string kept = e.before + std::string(marked ? "CO,Cut short: " : "") + e.last;
            const std::string between = name == "ConvertRawToRecordFile"
                                            ? std::string((kBinaryRecordSize - old.size() % kBinaryRecordSize) %
                                                              kBinaryRecordSize,
                                                          '\0')
                                            : e.lineEnd;
            EXPECT_EQ(run.state.TransferStatus, "OK") << run.what(old.c_str());
            const std::string written = ReadBytes(target);
            EXPECT_EQ(written.substr(0, kept.size() + between.size()), kept + between) << run.what(old.c_str());
            const std::string rest = written.substr(std::min(written.size(), kept.size() + between.size()));
            if (name == "ConvertCoorToSDR33") // its header carries the time of the run
                EXPECT_EQ(rest.size(), added.size()) << run.what(old.c_str());
            else
                EXPECT_EQ(rest, added) << run.what(old.c_str());
        }
    }
}

TEST(TargetRules, AnInputWithoutUsableRecordsIsNoSuccess)
{
    // Raw data: a coordinate list and a file of comments only; coordinates: an empty
    // file and one of blank lines.
    for (const ConverterCase& c : kConverters) {
        const bool rawInput = std::string(c.fixture).find(".raw") != std::string::npos;
        for (const char* content : {rawInput ? "P1,100.000,200.000,10.000,BM\r\n" : "",
                                    rawInput ? "CO,nothing but comments\r\n" : "\r\n  \r\n"}) {
            TargetRun run(c);
            WriteBytes(run.input, content);
            const std::string target = run.folder.file("out");
            WriteBytes(target, "old\r\n");
            ExpectRefused(run, target, target, "old\r\n", content);
            if (!run.ui.messages.empty())
                EXPECT_EQ(run.ui.messages[0].text, "This file contains no data") << c.name << ", " << content;
        }
    }
}

TEST(TargetRules, TheInputIsNeverTheTarget)
{
    for (const ConverterCase& c : kConverters) {
        TargetRun run(c);
        const std::string before = ReadBytes(run.input);
        // Another spelling of the same file, and a link to it.
        ExpectRefused(run, run.folder.path() + "/./" + run.input.substr(run.folder.path().size() + 1), run.input,
                      before, "input");
        ASSERT_EQ(::symlink(run.input.c_str(), run.folder.file("link").c_str()), 0);
        run.ui.clear();
        ExpectRefused(run, run.folder.file("link"), run.input, before, "link to the input");
        if (!run.ui.messages.empty())
            EXPECT_NE(run.ui.messages[0].text.find("may not be a file this conversion reads"), std::string::npos);
    }
}

TEST(TargetRules, TheControlAndPointNumberFilesAreNeverTheTarget)
{
    TargetRun calc(kConverters[3]);
    CalcOptions options;
    WriteBytes(calc.folder.file("control.txt"), "CP,1000.000,2000.000,0.000\r\n");
    options.checkControlFile = true;
    options.controlFileText = calc.folder.file("control.txt");
    options.applyToCalculation();
    calc.context.calc = &options;
    ExpectRefused(calc, calc.folder.path() + "//control.txt", calc.folder.file("control.txt"),
                  "CP,1000.000,2000.000,0.000\r\n", "control-point file");

    TargetRun kof(kConverters[8]);
    KofOptions kofOptions;
    kofOptions.UsePointNumberConversion = 1;
    kofOptions.KofpointFile = kof.folder.file("points.txt");
    WriteBytes(kofOptions.KofpointFile, "12=RV\r\n");
    kof.context.kof = &kofOptions;
    ExpectRefused(kof, kof.folder.file("points.txt"), kof.folder.file("points.txt"), "12=RV\r\n",
                  "point-number file");
}

TEST(TargetRules, ALinkKeepsBeingALinkAndItsFileGetsTheData)
{
    for (const ConverterCase& c : kConverters) {
        TargetRun run(c);
        // The output under a name of the same length, then through a relative link into
        // another folder.
        run.convert(run.folder.file("same.out"));
        const std::string expected = ReadBytes(run.folder.file("same.out"));
        ::mkdir(run.folder.file("real").c_str(), 0755);
        WriteBytes(run.folder.file("real/target.out"), "");
        ::chmod(run.folder.file("real/target.out").c_str(), 0640);
        ASSERT_EQ(::symlink("real/target.out", run.folder.file("link.out").c_str()), 0);
        run.convert(run.folder.file("link.out"));
        EXPECT_EQ(run.state.TransferStatus, "OK") << c.name;
        EXPECT_TRUE(S_ISLNK(ModeOf(run.folder.file("link.out")))) << c.name;
        // Sizes, as the SDR-33 header carries the time of the run.
        EXPECT_EQ(ReadBytes(run.folder.file("real/target.out")).size(), expected.size()) << c.name;
        EXPECT_FALSE(expected.empty()) << c.name;
        EXPECT_EQ(ModeOf(run.folder.file("real/target.out")) & 0777, 0640u) << c.name;
    }
}

TEST(TargetRules, PipesAndDevicesAreRefused)
{
    for (const ConverterCase& c : kConverters) {
        TargetRun run(c);
        const std::string fifo = run.folder.file("pipe");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
        run.convert(fifo);
        EXPECT_EQ(run.state.TransferStatus, "E") << c.name;
        EXPECT_TRUE(S_ISFIFO(ModeOf(fifo))) << c.name;
        // A link to a device: the device is no file to replace, and the link stays.
        const std::string device = run.folder.file("device");
        ASSERT_EQ(::symlink("/dev/null", device.c_str()), 0);
        run.convert(device);
        EXPECT_EQ(run.state.TransferStatus, "E") << c.name;
        EXPECT_TRUE(S_ISLNK(ModeOf(device))) << c.name;
        EXPECT_EQ(run.ui.messages.size(), 2u) << c.name;
    }
}

TEST(TargetRules, LongNamesAreWritten)
{
    for (const ConverterCase& c : kConverters) {
        for (size_t length : {246u, 255u}) {
            TargetRun run(c);
            const std::string target = run.folder.file(std::string(length - 4, 'n') + ".out");
            run.convert(target);
            EXPECT_EQ(run.state.TransferStatus, "OK") << c.name << " " << length;
            EXPECT_TRUE(Exists(target)) << c.name << " " << length;
        }
    }
}

TEST(TargetRules, AReplacedFileKeepsItsPermissionBits)
{
    for (const ConverterCase& c : kConverters) {
        for (mode_t mode : {0600u, 0664u}) {
            TargetRun run(c);
            const std::string target = run.folder.file("out");
            WriteBytes(target, "old\r\n");
            ::chmod(target.c_str(), mode);
            run.convert(target);
            EXPECT_EQ(run.state.TransferStatus, "OK") << c.name;
            EXPECT_EQ(ModeOf(target) & 07777, mode) << c.name;
        }
    }
}

TEST(TargetRules, AReadOnlyFileIsRefusedAndLeftAsItWas)
{
    for (const ConverterCase& c : kConverters) {
        TargetRun run(c);
        const std::string target = run.folder.file("out");
        WriteBytes(target, "old\r\n");
        ::chmod(target.c_str(), 0444);
        ::chmod(run.input.c_str(), 0644);
        OpenFolderToEveryone(run.folder.path());
        const std::string failures = RunUnprivileged([&]() -> std::string {
            run.convert(target);
            std::string wrong;
            if (run.state.TransferStatus != "E")
                wrong += "result " + run.state.TransferStatus + "; ";
            const std::string told = "Permission denied: " + target + " could not be written. It was not changed:"
                                     " it holds what it held before.";
            if (run.ui.messages.size() != 1 || run.ui.messages[0].text != told)
                wrong += "not the one message \"" + told + "\"; ";
            if (ReadBytes(target) != "old\r\n" || (ModeOf(target) & 07777) != 0444)
                wrong += "the target changed; ";
            return wrong;
        });
        EXPECT_EQ(failures, "") << c.name;
    }
}

TEST(TargetRules, RunningOutOfMemoryEndsTheRunAndTheProgramGoesOn)
{
    // Memory runs out (no allocation above 32 KiB succeeds, so not even the reader's
    // buffer); a line of 2 MB, read while no allocation above 1 MB succeeds, is refused
    // as no line of these files, without the memory it would take.
    const struct {
        const char* what;
        size_t longLine;      // bytes of a last line
        size_t refuseAbove;
        std::string opens;    // the message's first words, after the input's name
        bool named;           // the message opens with the input's name
    } cases[] = {
        {"out of memory", 0, 32 << 10, "Out of memory", false},
        {"a line too long", 2 << 20, 1 << 20, " is not a survey data file: line ", true},
    };
    for (const auto& k : cases)
        for (const ConverterCase& c : kConverters) {
            TargetRun run(c);
            WriteBytes(run.input,
                       ReadBytes(Fixture(c.fixture)) + std::string(k.longLine, 'x') + (k.longLine ? "\r\n" : ""));
            const std::string target = run.folder.file("out");
            WriteBytes(target, "old\r\n");
            gRefuseAbove = k.refuseAbove;
            run.convert(target);
            gRefuseAbove = 0;
            const std::string what = std::string(k.what) + " " + c.name;
            EXPECT_EQ(run.state.TransferStatus, "E") << what;
            ASSERT_EQ(run.ui.messages.size(), 1u) << what;
            const std::string& text = run.ui.messages[0].text;
            EXPECT_EQ(text.rfind((k.named ? run.input : std::string()) + k.opens, 0), 0u) << what << ": " << text;
            EXPECT_EQ(ReadBytes(target), "old\r\n") << what;
            EXPECT_EQ(FilesIn(run.folder.path()), 2u) << what; // no temporary file left
            EXPECT_FALSE(run.ui.busy) << what;
            // The next run has the memory it needs.
            WriteBytes(run.input, ReadBytes(Fixture(c.fixture)));
            run.ui.clear();
            run.convert(target);
            EXPECT_EQ(run.state.TransferStatus, "OK") << what;
        }
}
