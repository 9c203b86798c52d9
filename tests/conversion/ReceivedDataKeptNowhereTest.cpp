// Received data that does not reach its target, where no copy of it can be written
// beside the target nor in the program folder: the user is told, in an error box,
// that it is still in the temporary file and must be copied before the next Download;
// that file keeps it.
#include "conversion/ConversionDispatch.h"
#include "platform/LineReader.h"
#include "platform/UserInteraction.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace tavrelo;

namespace {

struct AnsweringHost : DispatchHost {
    bool showKofDialog() override { return answer; }
    bool showDxfDialog() override { return answer; }
    bool showCalcDialog() override { return answer; }
    void showConvertingNote(const std::string&) override {}
    void hideConvertingNote() override {}
    void showFinished() override {}
    bool answer = true;
};

std::string Bytes(const std::string& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

} // namespace

TEST(ReceivedDataKeptNowhere, TheBoxNamesTheTemporaryFile)
{
    const struct {
        const char* name;
        int kind, index, mode;
        bool dialogAnswer;
        const char* lead; // then the target
    } cases[] = {
        {"coordinates, KOF dialog cancelled", 1, 2, 1, false, "The received data was not converted."},
        {"other data, stored as received", 2, 0, 2, true, "The received data could not be stored in "},
    };
    for (const auto& c : cases) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrelo-kept-XXXXXX").string();
        const std::filesystem::path folder = ::mkdtemp(pattern.data());
        const std::string input = (folder / "Pemdrix.tem").string();
        const std::string received = "P1,100,200,10,TREE\r\nP2,110,210,11,POST\r\n";
        std::ofstream(input, std::ios::binary) << received;
        // A regular file where both folders should be: no user, root included, writes there.
        const std::string blocker = (folder / "blocker").string();
        std::ofstream(blocker, std::ios::binary) << "x";
        const std::string target = blocker + "/job.kof";
        ProgramState state;
        state.AppPath = blocker + "/program/";
        state.OutputFileMode = c.mode;
        RecordingInteraction ui;
        ConversionContext context(state, ui);
        AnsweringHost host;
        host.answer = c.dialogAnswer;

        ConvertReceivedFile(context, host, DispatchRequest{c.kind, c.index, input, target});
        ASSERT_FALSE(ui.messages.empty()) << c.name;
        const RecordingInteraction::Message& box = ui.messages.back();
        EXPECT_EQ(box.icon, MessageIcon::Critical) << c.name;
        EXPECT_EQ(box.title, "Error") << c.name;
        const std::string lead = std::string(c.lead) + (c.mode == 2 ? target + "." : "");
        EXPECT_EQ(box.text.rfind(lead + " No copy of it could be written (", 0), 0u) << c.name << ": " << box.text;
        EXPECT_NE(box.text.find("). It is still in " + input +
                                ": please copy that file elsewhere before the next Download."),
                  std::string::npos)
            << c.name << ": " << box.text;
        EXPECT_EQ(Bytes(input), received) << c.name;
        std::filesystem::remove_all(folder);
    }
}
