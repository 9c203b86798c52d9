// tavrelo-bench: times the converters. Every figure goes to standard error; standard
// output stays empty.
//
//   tavrelo-bench                        CalcRawCoordinates on generated raw files of
//                                        10 000, 100 000 and 1 000 000 records
//   tavrelo-bench NAME INPUT OUTPUT [append|overwrite]
//                                        any converter of the registry on given files,
//                                        with every option section of Tavrelo.ini in the
//                                        current folder when there is one, else the
//                                        defaults; the output overwritten unless
//                                        "append" is given
//   tavrelo-bench generate-raw N FILE    a raw data file of N records (fixed seed)
//   tavrelo-bench generate-coor N FILE   a coordinate file of N points (fixed seed)
//   tavrelo-bench download               10 MB from a simulated instrument (DownloadBench.h)
//   tavrelo-bench upload                 100 000 points to a simulated instrument (UploadBench.h)
//   tavrelo-bench download-window        the same 10 MB through the download window (WindowBench.h)
//   tavrelo-bench upload-window          the same points through the upload window (WindowBench.h)
//   tavrelo-bench map                    map redraw of 1 000 000 observed points and
//                                        10 000 stations at 1600 x 1000, and hit tests
//   tavrelo-bench long-line [BYTES]      a 1 GB file without a line end through map
//                                        File > Open and the KOF conversions: peak
//                                        memory of each (LongLineBench.h)
//   tavrelo-bench settings-save [RUNS]   the option windows' OK and Exit saving into
//                                        the default settings file (SettingsSaveBench.h)
#include "BenchData.h"
#include "BenchMap.h"
#include "DownloadBench.h"
#include "LongLineBench.h"
#include "PeakMemory.h"
#include "SettingsSaveBench.h"
#include "UploadBench.h"
#include "WindowBench.h"

#include "app/ProgramState.h"
#include "conversion/ConversionContext.h"
#include "conversion/ConverterRegistry.h"
#include "conversion/OptionStores.h"
#include "map/core/MapTables.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/Profile.h"
#include "platform/UserInteraction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavrelo;

namespace {

// Shows the user's messages (Windows-1252) on standard error instead of a window.
class ConsoleInteraction : public RecordingInteraction {
public:
    MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title) override
    {
        std::fprintf(stderr, "[%s] %s\n", Cp1252ToUtf8(title).c_str(), Cp1252ToUtf8(text).c_str());
        return RecordingInteraction::message(text, buttons, icon, title);
    }
};

// The option stores of the settings file in the current folder, or the defaults:
// every section a converter reads ([Coordinate Settings], [Calc Coordinate Settings],
// [DXF Settings], [SDR33 Settings], [KOF Settings]; the KOF point-number file beside
// it). The KOF job line gets what the KOF dialog would show for the output: the
// project from its name and today's date.
struct Options {
    Options()
    {
        Profile profile;
        if (profile.load("Tavrelo.ini")) {
            stores.load(profile, "./");
            const std::string order = profile.get("Default", "StCombCoord0");
            coordinateOrder = order.empty() ? 0 : std::atoi(order.c_str()) == 1;
            fromFile = true;
        }
    }
    void setJob(const std::string& output)
    {
        std::string name = output.substr(output.find_last_of('/') + 1);
        if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
            name.erase(dot);
        stores.kof.Project = name.substr(0, 12);
        const std::time_t now = std::time(nullptr);
        char date[16];
        std::strftime(date, sizeof date, "%d.%m.%y", std::localtime(&now));
        stores.kof.Date = date;
    }
    OptionStores stores;
    int coordinateOrder = 0;
    bool fromFile = false;
};

int64_t countLines(const std::string& path)
{
    LineReader reader;
    if (!reader.open(path))
        return 0;
    std::string line;
    int64_t n = 0;
    while (reader.next(line))
        ++n;
    return n;
}

struct RunResult {
    std::string status;
    double seconds = 0;
};

RunResult runConverter(const ConverterEntry& entry, const std::string& input, const std::string& output,
                       Options& options, MapTables& tables, int outputFileMode = 2)
{
    ProgramState state;
    state.OutputFileMode = static_cast<int16_t>(outputFileMode);
    ConsoleInteraction ui;
    ConversionContext context = options.stores.context(state, ui, options.coordinateOrder);
    context.map = &tables;
    const auto start = std::chrono::steady_clock::now();
    entry.run(context, input, output);
    const auto end = std::chrono::steady_clock::now();
    return {state.TransferStatus, std::chrono::duration<double>(end - start).count()};
}

int runNamed(const std::string& name, const std::string& input, const std::string& output, int outputFileMode)
{
    const ConverterEntry* entry = FindConverter(name);
    if (!entry) {
        std::fprintf(stderr, "No converter named %s. Known:", name.c_str());
        for (const ConverterEntry& e : Converters())
            std::fprintf(stderr, " %s", e.name);
        std::fprintf(stderr, "\n");
        return 2;
    }
    Options options;
    options.setJob(output);
    const int64_t lines = countLines(input);
    const long before = bench::PeakKilobytes();
    MapTables tables;
    const RunResult r = runConverter(*entry, input, output, options, tables, outputFileMode);
    const long peak = bench::PeakKilobytes();
    std::fprintf(stderr, "%s: %lld input lines in %.3f s = %.0f lines/s; TransferStatus %s; options %s\n",
                 name.c_str(), static_cast<long long>(lines), r.seconds, r.seconds > 0 ? lines / r.seconds : 0.0,
                 r.status.c_str(), options.fromFile ? "from Tavrelo.ini" : "defaults");
    std::fprintf(stderr, "peak memory %ld KiB (%ld KiB before the run, %.1f bytes per line above it)\n", peak,
                 before, lines > 0 ? (peak - before) * 1024.0 / lines : 0.0);
    return r.status == "OK" ? 0 : 1;
}

// One size in a child process of its own, so that its peak memory is its own.
void benchOneSize(int64_t records, const std::string& folder)
{
    const std::string raw = folder + "/bench-" + std::to_string(records) + ".raw";
    const std::string out = folder + "/bench-" + std::to_string(records) + ".asc";
    if (!bench::GenerateRawFile(records, raw)) {
        std::fprintf(stderr, "cannot write %s\n", raw.c_str());
        std::_Exit(1);
    }
    Options options;
    const long before = bench::PeakKilobytes();
    MapTables tables;
    const RunResult r = runConverter(*FindConverter("CalcRawCoordinates"), raw, out, options, tables);
    const long peak = bench::PeakKilobytes();
    std::fprintf(stderr,
                 "CalcRawCoordinates N=%8lld: %.3f s, %10.0f records/s, peak %7ld KiB (%ld before), "
                 "%6.1f bytes/record, %d stations, %d points, %s\n",
                 static_cast<long long>(records), r.seconds, records / r.seconds, peak, before,
                 (peak - before) * 1024.0 / records, tables.StationCount(), tables.ObsPointCount(),
                 r.status.c_str());
    RemoveFile(raw);
    RemoveFile(out);
    std::_Exit(r.status == "OK" ? 0 : 1);
}

int benchSizes()
{
    char pattern[] = "/tmp/tavrelo-bench-XXXXXX";
    const char* folder = mkdtemp(pattern);
    if (!folder)
        return 1;
    int failures = 0;
    for (const int64_t n : {10000LL, 100000LL, 1000000LL}) {
        const pid_t child = fork();
        if (child == 0)
            benchOneSize(n, folder);
        int status = 0;
        waitpid(child, &status, 0);
        failures += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    rmdir(folder);
    return failures == 0 ? 0 : 1;
}

int generate(const std::string& kind, const std::string& count, const std::string& path)
{
    const int64_t n = std::atoll(count.c_str());
    const bool ok = kind == "generate-raw" ? bench::GenerateRawFile(n, path) : bench::GenerateCoordinateFile(n, path);
    std::fprintf(stderr, "%s %lld -> %s: %s\n", kind.c_str(), static_cast<long long>(n), SystemFileName(path).c_str(),
                 ok ? "written" : "FAILED");
    return ok ? 0 : 1;
}

// A command-line word names a file as the system spells it; inside, a path is
// Windows-1252. A word the code page cannot hold is refused, never run under another name.
bool PathArgument(const char* word, std::string& path)
{
    if (FileNameFromSystem(word, path))
        return true;
    std::fprintf(stderr, "%s\n", RefusedFileNameText(word).c_str()); // UTF-8, the terminal's text
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 1)
        return benchSizes();
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "map")
        return bench::BenchMap(argc, argv);
    if (argc == 2 && first == "download")
        return bench::DownloadBench(argc, argv);
    if (argc == 2 && first == "upload")
        return bench::UploadBench(argc, argv);
    if (argc == 2 && first == "download-window")
        return bench::DownloadWindowBench(argc, argv);
    if (argc == 2 && first == "upload-window")
        return bench::UploadWindowBench(argc, argv);
    if ((argc == 2 || argc == 3) && first == "long-line")
        return bench::LongLineBench(argc, argv);
    if ((argc == 2 || argc == 3) && first == "settings-save")
        return bench::SettingsSaveBench(argc, argv);
    std::string input, output;
    if (argc == 4 && (first == "generate-raw" || first == "generate-coor"))
        return PathArgument(argv[3], output) ? generate(first, argv[2], output) : 2;
    // The target mode: overwrite unless "append" is asked for.
    const std::string mode = argc == 5 ? argv[4] : "overwrite";
    if ((argc == 4 || argc == 5) && (mode == "append" || mode == "overwrite")) {
        if (!PathArgument(argv[2], input) || !PathArgument(argv[3], output))
            return 2;
        return runNamed(first, input, output, mode == "append" ? 1 : 2);
    }
    std::fprintf(stderr, "usage: tavrelo-bench | tavrelo-bench NAME INPUT OUTPUT [append|overwrite] | "
                         "tavrelo-bench generate-raw|generate-coor N FILE | tavrelo-bench download|upload|download-window|upload-window|map"
                         " | tavrelo-bench long-line [BYTES]"
                         " | tavrelo-bench settings-save [RUNS]\n");
    return 2;
}
