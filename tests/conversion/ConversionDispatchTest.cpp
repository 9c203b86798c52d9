#include "conversion/ConversionDispatch.h"
#include "conversion/ReceivedDataCopy.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include <sys/stat.h>

using namespace tavrelo;

namespace {

class DispatchFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A folder of its own, so suites run side by side never share one.
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrelo-dispatch-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    static void put(const std::string& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
    static std::string get(const std::string& p)
    {
        std::string bytes;
        ReadWholeFile(p, bytes);
        return bytes;
    }

    std::filesystem::path folder;
    ProgramState state;
    RecordingInteraction ui;
};

struct NoWindows : DispatchHost {
    bool showKofDialog() override { ++dialogs; return answer; }
    bool showDxfDialog() override { ++dialogs; return answer; }
    bool showCalcDialog() override { ++dialogs; return answer; }
    void showConvertingNote(const std::string&) override { ++notes; }
    void hideConvertingNote() override {}
    void showFinished() override { ++finished; }
    bool answer = true;
    int dialogs = 0, notes = 0, finished = 0;
};

} // namespace

TEST_F(DispatchFolder, CopyRuleAppendsOverwritesOrWritesNothing)
{
    const struct { int mode; const char* expected; const char* status; bool tempKept; } cases[] = {
        {1, "old\r\nA\r\nB\r\n", "OK", true},
        {2, "A\r\nB\r\n", "OK", false},
        {0, "old\r\n", "unchanged", true},
    };
    for (const auto& c : cases) {
        put(path("Pemdrix.tem"), "A\nB\r");
        put(path("job.zvk"), "old\r\n");
        state.OutputFileMode = c.mode;
        state.TransferStatus = "unchanged";
        ConversionContext context(state, ui);
        NoWindows host;
        DispatchRequest request{2, 0, path("Pemdrix.tem"), path("job.zvk")};
        ConvertReceivedFile(context, host, request);
        EXPECT_EQ(get(path("job.zvk")), c.expected) << c.mode;
        EXPECT_EQ(state.TransferStatus, c.status) << c.mode;
        EXPECT_EQ(std::filesystem::exists(path("Pemdrix.tem")), c.tempKept) << c.mode;
    }
}

TEST_F(DispatchFolder, TheReceivedDataIsNeverItsOwnTarget)
{
    // Kind "Other" and the instrument's own raw format both store by the copy rule.
    for (const auto& [kind, mode] : {std::pair{2, 1}, {2, 2}, {0, 2}}) {
        put(path("Pemdrix.tem"), "A\r\n");
        state.OutputFileMode = mode;
        state.TransferStatus = "unchanged";
        ui.clear();
        ConversionContext context(state, ui);
        NoWindows host;
        ConvertReceivedFile(context, host, DispatchRequest{kind, 0, path("Pemdrix.tem"), path("./Pemdrix.tem")});
        EXPECT_EQ(get(path("Pemdrix.tem")), "A\r\n") << kind << " " << mode;
        EXPECT_EQ(state.TransferStatus, "E") << kind << " " << mode;
        // The refusal, then where the data is kept.
        ASSERT_EQ(ui.messages.size(), 2u) << kind << " " << mode;
        EXPECT_NE(ui.messages[1].text.find(path("./Pemdrix.zvk")), std::string::npos) << ui.messages[1].text;
        EXPECT_EQ(get(path("Pemdrix.zvk")), "A\r\n") << kind << " " << mode;
        std::filesystem::remove(path("Pemdrix.zvk"));
    }
}

TEST_F(DispatchFolder, EmptyTargetDoesNothing)
{
    put(path("Pemdrix.tem"), "A\r\n");
    state.TransferStatus = "keep";
    ConversionContext context(state, ui);
    NoWindows host;
    ConvertReceivedFile(context, host, DispatchRequest{2, 0, path("Pemdrix.tem"), "   "});
    EXPECT_EQ(state.TransferStatus, "keep");
}

TEST_F(DispatchFolder, AFormatWithoutConverterIsSaidAndNoSuccess)
{
    // List items past the known formats, as a settings file can add ("SDR-33" in the
    // coordinate-file list): for a file, for a download (whose data is kept beside the target).
    put(path("in.asc"), "P1,100,200,10,TREE\r\n");
    const struct { bool file; int kind; int index; } cases[] = {
        {true, 1, 2}, {true, 0, 6}, {false, 0, 9}, {false, 1, 6},
    };
    for (const auto& c : cases) {
        ui.clear();
        state.TransferStatus = "OK";
        ConversionContext context(state, ui);
        NoWindows host;
        const DispatchRequest request{c.kind, c.index, path("in.asc"), path("out.txt"), false, "in.asc"};
        if (c.file)
            ConvertFiles(context, host, request);
        else
            ConvertReceivedFile(context, host, request);
        EXPECT_EQ(state.TransferStatus, "E") << c.kind << " " << c.index;
        EXPECT_EQ(host.finished, 0) << c.kind << " " << c.index;
        ASSERT_FALSE(ui.messages.empty()) << c.kind << " " << c.index;
        EXPECT_EQ(ui.messages[0].text, "This format cannot be converted from here. Please choose another format.");
        EXPECT_FALSE(std::filesystem::exists(path("out.txt")));
        EXPECT_EQ(std::filesystem::exists(path("out.zvk")), !c.file) << c.kind << " " << c.index;
        std::filesystem::remove(path("out.zvk"));
    }
}

TEST_F(DispatchFolder, RawCopyTakesTheFirstFreeName)
{
    put(path("raw.tem"), "CO,x\nST,S1\n");
    EXPECT_EQ(SaveRawCopy(path("raw.tem"), path("job.txt")), path("job.zvk"));
    EXPECT_EQ(get(path("job.zvk")), "CO,x\r\nST,S1\r\n");
    EXPECT_EQ(SaveRawCopy(path("raw.tem"), path("job.txt")), path("job1.zvk"));
    EXPECT_EQ(SaveRawCopy(path("raw.tem"), path("job")), path("job2.zvk")); // no extension: the whole name
    // Names taken by what is no file are passed over too: a pipe, a link to nowhere, a folder.
    ASSERT_EQ(::mkfifo(path("job3.zvk").c_str(), 0644), 0);
    std::filesystem::create_symlink(path("nowhere"), path("job4.zvk"));
    std::filesystem::create_directory(path("job5.zvk"));
    EXPECT_EQ(SaveRawCopy(path("raw.tem"), path("job.txt")), path("job6.zvk"));
    EXPECT_EQ(get(path("job6.zvk")), "CO,x\r\nST,S1\r\n");
    EXPECT_FALSE(std::filesystem::exists(path("nowhere")));
    for (int n = 7; n <= 19; ++n)
        put(path("job" + std::to_string(n) + ".zvk"), "");
    int error = 0;
    EXPECT_EQ(SaveRawCopy(path("raw.tem"), path("job.txt"), &error), "");
    EXPECT_EQ(error, RunError::FileAlreadyExists);
}

// The dated copy in the program folder passes over a pipe that takes its name: the
// names of the seconds the call may see are all taken.
TEST_F(DispatchFolder, ProgramFolderCopyPassesOverAPipe)
{
    put(path("Pemdrix.tem"), "CO,x\nST,S1\n");
    const std::time_t now = std::time(nullptr);
    std::vector<std::string> taken;
    for (std::time_t t = now; t < now + 5; ++t) {
        std::tm local {};
        localtime_r(&t, &local);
        char name[40];
        std::strftime(name, sizeof name, "Download-%Y-%m-%d-%H%M%S", &local);
        taken.push_back(path(name));
        ASSERT_EQ(::mkfifo((taken.back() + ".zvk").c_str(), 0644), 0);
    }
    int error = -1;
    const std::string kept = KeepInProgramFolder(path("Pemdrix.tem"), folder.string(), &error);
    EXPECT_EQ(error, 0);
    bool nextName = false;
    for (const std::string& base : taken)
        nextName = nextName || kept == base + "-1.zvk";
    EXPECT_TRUE(nextName) << kept;
    EXPECT_EQ(get(kept), "CO,x\r\nST,S1\r\n");
}

TEST_F(DispatchFolder, CancelledDialogRunsNoConversion)
{
    put(path("in.raw"), "CO,x\r\n");
    ConversionContext context(state, ui);
    NoWindows host;
    host.answer = false;
    for (int index : {0, 4}) {
        ConvertFiles(context, host, DispatchRequest{0, index, path("in.raw"), path("out.txt"), false, "in.raw"});
        EXPECT_EQ(state.TransferStatus, "Cancel");
    }
    EXPECT_FALSE(std::filesystem::exists(path("out.txt")));
    EXPECT_EQ(host.finished, 0);
}

TEST_F(DispatchFolder, CancelledKofDialogForReceivedCoordinatesWritesNothing)
{
    put(path("Pemdrix.tem"), "P1,100,200,10,TREE\r\n");
    ConversionContext context(state, ui);
    NoWindows host;
    host.answer = false;
    ConvertReceivedFile(context, host, DispatchRequest{1, 2, path("Pemdrix.tem"), path("out.kof")});
    EXPECT_EQ(host.dialogs, 1);
    EXPECT_EQ(state.TransferStatus, "Cancel");
    EXPECT_FALSE(std::filesystem::exists(path("out.kof")));
    // The received data is not lost: it is kept beside the target and the user told where.
    EXPECT_EQ(get(path("out.zvk")), "P1,100,200,10,TREE\r\n");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("out.zvk"), std::string::npos);
}

// The raw copy is made at the end of the download, and told in the download's box.
TEST_F(DispatchFolder, RawCopyWithoutAFreeNameIsToldAndTheConversionStands)
{
    std::filesystem::copy_file(std::string(TAVRELO_TEST_DATA) + "/listing_survey.raw", path("Pemdrix.tem"));
    put(path("job.zvk"), "");
    for (int n = 1; n <= 19; ++n)
        put(path("job" + std::to_string(n) + ".zvk"), "");
    state.OutputFileMode = 2;
    ConversionContext context(state, ui);
    NoWindows host;
    DispatchRequest request{0, 2, path("Pemdrix.tem"), path("job.txt")};
    request.rawCopy = true;
    const DownloadEndNotes notes = KeepAtDownloadEnd(context, request, false);
    EXPECT_NE(notes.more.find(path("job.txt")), std::string::npos) << notes.more;
    ConvertReceivedFile(context, host, request);
    EXPECT_EQ(state.TransferStatus, "OK");
    EXPECT_FALSE(get(path("job.txt")).empty());
    EXPECT_TRUE(ui.messages.empty());
    int error = 0;
    EXPECT_EQ(SaveRawCopy(path("Pemdrix.tem"), path("job.txt"), &error), "");
    EXPECT_NE(error, 0);
}

// A download cut short ends in a last line without its line end: the copy rule and
// every copy keep it as it came; appended, the received data starts on a line of its
// own, after the target's own line end.
TEST_F(DispatchFolder, ALastLineWithoutItsEndIsKeptAsItCame)
{
    const std::string received = "CO,Zarel RAW data\r\nSS,53,1.500,7.479,149.949";
    const struct { int mode; const char* old; const char* expected; } cases[] = {
        {2, "", "CO,Zarel RAW data\r\nSS,53,1.500,7.479,149.949"},
        {1, "SS,P2,1.500,50.000,100.0", "SS,P2,1.500,50.000,100.0\r\nCO,Zarel RAW data\r\nSS,53,1.500,7.479,149.949"},
        {1, "CO,a\nSS,P2", "CO,a\nSS,P2\nCO,Zarel RAW data\r\nSS,53,1.500,7.479,149.949"},
        {1, "CO,a\r\n", "CO,a\r\nCO,Zarel RAW data\r\nSS,53,1.500,7.479,149.949"},
    };
    for (const auto& c : cases) {
        put(path("Pemdrix.tem"), received);
        put(path("job.raw"), c.old);
        state.OutputFileMode = c.mode;
        ConversionContext context(state, ui);
        NoWindows host;
        ConvertReceivedFile(context, host, DispatchRequest{2, 0, path("Pemdrix.tem"), path("job.raw")});
        EXPECT_EQ(get(path("job.raw")), c.expected) << c.mode << " " << c.old;
        EXPECT_EQ(state.TransferStatus, "OK");
    }
    put(path("Pemdrix.tem"), received);
    EXPECT_EQ(SaveRawCopy(path("Pemdrix.tem"), path("job.txt")), path("job.zvk"));
    EXPECT_EQ(get(path("job.zvk")), received);
}

// At the end of a completed download: the raw copy asked for is made then, and told
// in the download's own box when it is not under its first name; a last line without
// its line end on a road that converts is kept in such a copy too. The store that
// follows makes no second copy and says nothing more of it.
TEST_F(DispatchFolder, CopiesMadeAtTheDownloadEndAreNotMadeAgain)
{
    const struct {
        const char* name;
        int kind, index;
        bool rawCopy, unended, firstNameTaken;
        const char* place; // where the last line is kept
        const char* copy;  // the copy made, "" none
        bool told;         // the copy's name is said
    } cases[] = {
        {"stored as received", 2, 0, false, true, false, "job.txt", "", false},
        {"converted, raw copy asked", 0, 2, true, true, false, "job.zvk", "job.zvk", false},
        {"converted, raw copy under the next name", 0, 2, true, false, true, "job1.zvk", "job1.zvk", true},
        {"converted, last line cut, no copy asked", 0, 2, false, true, false, "job.zvk", "job.zvk", false},
        {"converted, whole lines, no copy asked", 0, 2, false, false, false, "Pemdrix.tem", "", false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
        std::filesystem::copy_file(std::string(TAVRELO_TEST_DATA) + "/listing_survey.raw", path("Pemdrix.tem"));
        if (c.unended)
            std::ofstream(path("Pemdrix.tem"), std::ios::binary | std::ios::app) << "SS,53,1.500,7.479,149.949";
        if (c.firstNameTaken)
            put(path("job.zvk"), "earlier");
        ui.messages.clear();
        state.OutputFileMode = 2;
        state.AppPath = folder.string() + "/";
        ConversionContext context(state, ui);
        NoWindows host;
        DispatchRequest request{c.kind, c.index, path("Pemdrix.tem"), path("job.txt")};
        request.rawCopy = c.rawCopy;
        const DownloadEndNotes notes = KeepAtDownloadEnd(context, request, c.unended);
        EXPECT_EQ(notes.lastLinePlace, path(c.place)) << c.name;
        EXPECT_EQ(request.keptCopy, *c.copy ? path(c.copy) : "") << c.name;
        EXPECT_EQ(notes.more, c.told ? "The original data is saved in " + path("job1.zvk") + ", as " + path("job.zvk") +
                                           " already exists."
                                     : "")
            << c.name;
        if (*c.copy)
            EXPECT_EQ(get(path(c.copy)), get(path("Pemdrix.tem"))) << c.name;
        ConvertReceivedFile(context, host, request);
        EXPECT_EQ(state.TransferStatus, "OK") << c.name;
        for (const RecordingInteraction::Message& m : ui.messages) // a converter's own warning may come
            EXPECT_EQ(m.text.find(".zvk"), std::string::npos) << c.name << ": " << m.text;
        EXPECT_FALSE(std::filesystem::exists(path(c.firstNameTaken ? "job2.zvk" : "job1.zvk"))) << c.name;
    }
}
