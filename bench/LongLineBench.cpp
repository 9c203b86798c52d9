#include "LongLineBench.h"

#include "PeakMemory.h"

#include "app/ProgramState.h"
#include "conversion/ConversionContext.h"
#include "conversion/CoordinateListLoader.h"
#include "conversion/KofCoordinateWriter.h"
#include "conversion/KofRawWriter.h"
#include "conversion/RawCoordinateCalculator.h"
#include "map/core/MapTables.h"
#include "platform/UserInteraction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tavrelo::bench {

namespace {

// The first bytes of a record, then zero bytes to size.
bool WriteSparse(const std::string& path, const char* start, uintmax_t size)
{
    std::ofstream(path, std::ios::binary) << start;
    std::error_code error;
    std::filesystem::resize_file(path, size, error);
    return !error;
}

struct Road {
    const char* name;
    // Reads the file; true when it was refused. what receives the user's message.
    std::function<bool(const std::string& input, const std::string& folder, std::string& what)> read;
};

bool ConvertRefused(void (*convert)(ConversionContext&, const std::string&, const std::string&),
                    const std::string& input, const std::string& output, std::string& what)
{
    ProgramState state;
    state.OutputFileMode = 2;
    RecordingInteraction ui;
    ConversionContext context(state, ui);
    MapTables tables;
    context.map = &tables;
    convert(context, input, output);
    what = ui.messages.empty() ? "(no message)" : ui.messages.front().text;
    return state.TransferStatus == "E" && !std::filesystem::exists(output);
}

const Road kRoads[] = {
    {"map File > Open, coordinate list",
     [](const std::string& input, const std::string&, std::string& what) {
         MapTables tables;
         int error = 0;
         const bool refused = LoadCoordinateList(tables, input + ".asc", 0, error, &what) == ListLoad::Unreadable;
         return refused && !tables.hasPoints();
     }},
    {"map File > Open, raw-data file",
     [](const std::string& input, const std::string&, std::string& what) {
         return ConvertRefused(CalcRawCoordinates, input + ".raw", kTablesOnlyOutput, what);
     }},
    {"KOF conversion of a raw-data file",
     [](const std::string& input, const std::string& folder, std::string& what) {
         return ConvertRefused(ConvertRawToKOF, input + ".raw", folder + "/out.kof", what);
     }},
    {"KOF conversion of a coordinate file",
     [](const std::string& input, const std::string& folder, std::string& what) {
         return ConvertRefused(ConvertCoorToKOF, input + ".asc", folder + "/out.kof", what);
     }},
};

void RunRoad(const Road& road, const std::string& input, const std::string& folder)
{
    const long before = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    std::string what;
    const bool refused = road.read(input, folder, what);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long peak = PeakKilobytes();
    std::fprintf(stderr, "%-36s %s in %.3f s, peak %ld KiB (%ld KiB before, %+ld KiB)\n  %s\n", road.name,
                 refused ? "refused" : "NOT REFUSED", seconds, peak, before, peak - before, what.c_str());
    std::_Exit(refused ? 0 : 1);
}

} // namespace

int LongLineBench(int argc, char** argv)
{
    const uintmax_t size = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1'000'000'000;
    char pattern[] = "/tmp/tavrelo-bench-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made)
        return 1;
    const std::string folder = made;
    const std::string input = folder + "/huge";
    if (!WriteSparse(input + ".raw", "SS,P1,1.5,", size) || !WriteSparse(input + ".asc", "P1,1000,2000,", size)) {
        std::fprintf(stderr, "cannot write %s\n", input.c_str());
        std::filesystem::remove_all(folder);
        return 1;
    }
    std::fprintf(stderr, "a file of %ju bytes without a line end (sparse):\n", size);
    int failures = 0;
    for (const Road& road : kRoads) {
        const pid_t child = fork();
        if (child == 0)
            RunRoad(road, input, folder);
        int status = 0;
        waitpid(child, &status, 0);
        failures += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}

} // namespace tavrelo::bench
