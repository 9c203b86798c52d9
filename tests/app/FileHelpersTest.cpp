// The file-name tests, the open helper and the number-text helper.
#include "CaseName.h"
#include "TempFolder.h"
#include "app/FileHelpers.h"
#include "platform/ByteSink.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tavrelo {
namespace {

using test::ReadBytes;
using test::TempFolder;

struct TextCase {
    const char* name;
    const char* input;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class StripQuotesTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(StripQuotesTest, RemovesBlanksAndOnePairOfQuotes)
{
    EXPECT_EQ(StripQuotes(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, StripQuotesTest,
                         ::testing::Values(TextCase{"QuotedWithBlanks", "  \"/data/job.raw\"  ", "/data/job.raw"},
                                           TextCase{"OnlyAnOpeningQuote", "\"only at the start", "\"only at the start"},
                                           TextCase{"TwoQuotes", "\"\"", ""},
                                           TextCase{"QuotesInside", "in\"si\"de", "in\"si\"de"},
                                           TextCase{"TwoPairs", "\"\"twice\"\"", "\"twice\""},
                                           TextCase{"OneQuote", "\"", "\""}),
                         test::CaseName<TextCase>);

class CommaToPointTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(CommaToPointTest, ReplacesTheFirstComma)
{
    std::string text = GetParam().input;
    CommaToPoint(text);
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, CommaToPointTest,
                         ::testing::Values(TextCase{"OneComma", "1234,567", "1234.567"},
                                           TextCase{"TwoCommas", "1,2,3", "1.2,3"}, TextCase{"Empty", "", ""},
                                           TextCase{"APointAlready", "12.5", "12.5"}),
                         test::CaseName<TextCase>);

// A folder with one readable file, one folder and one pipe, for the name tests.
struct NameFixture {
    TempFolder folder;
    std::string file = folder.file("job.kof");
    std::string subfolder = folder.file("sub");
    std::string pipe = folder.file("pipe");
    NameFixture()
    {
        EXPECT_EQ(WriteFileAtomically(file, "data"), 0);
        EXPECT_EQ(::mkdir(subfolder.c_str(), 0755), 0);
        EXPECT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    }
};

TEST(CheckFileName, GivesTheFailureAnOpenWouldGive)
{
    NameFixture f;
    EXPECT_EQ(CheckFileName(f.file), 0);
    EXPECT_EQ(CheckFileName("  \"" + f.file + "\" "), 0);
    EXPECT_EQ(CheckFileName(f.file + "/"), 0) << "one trailing separator is dropped";
    EXPECT_EQ(CheckFileName(f.folder.file("missing.kof")), 53);
    EXPECT_EQ(CheckFileName(f.folder.file("nofolder/a.kof")), 76);
    EXPECT_EQ(CheckFileName(f.folder.file("a?.kof")), 76);
    EXPECT_EQ(CheckFileName(f.folder.file("*.kof")), 76);
    for (const std::string& notAFile : {f.subfolder, f.subfolder + "/", f.pipe}) {
        const int16_t result = CheckFileName(notAFile);
        EXPECT_NE(result, 0) << notAFile;
        EXPECT_NE(result, 53) << notAFile;
        EXPECT_NE(result, 76) << notAFile;
    }
}

TEST(FileExists, AcceptsReadableRegularFilesOnly)
{
    NameFixture f;
    EXPECT_TRUE(FileExists(f.file));
    EXPECT_TRUE(FileExists(" \"" + f.file + "\""));
    EXPECT_FALSE(FileExists(f.subfolder));
    EXPECT_FALSE(FileExists(f.subfolder + "/"));
    EXPECT_FALSE(FileExists(f.pipe)) << "and does not wait for a writer";
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("\""));
    EXPECT_FALSE(FileExists(f.folder.file("missing")));
}

struct OpenOutcome {
    std::string answer;
    size_t messages;
};

OpenOutcome open(const std::string& path, int16_t mode, OpenedFile& file)
{
    SettingsModel texts;
    texts.setMessage(11, "Error");
    texts.setMessage(14, "Cannot open output file");
    ProgramState state;
    state.DialogAnswer = "Overwite";
    RecordingInteraction ui;
    OpenFileMode(path, mode, file, texts, state, ui);
    for (const RecordingInteraction::Message& m : ui.messages) {
        EXPECT_EQ(m.text, "Cannot open output file");
        EXPECT_EQ(m.title, "Error");
        EXPECT_EQ(m.icon, MessageIcon::Critical);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
    return {state.DialogAnswer, ui.messages.size()};
}

TEST(OpenFileMode, OpensInTheModeOrReportsTheFailureNumber)
{
    NameFixture f;
    OpenedFile file;
    OpenOutcome outcome = open(f.file, OpenForAppend, file);
    EXPECT_EQ(outcome.answer, "");
    ASSERT_TRUE(file.isOpen());
    file.sink->write("+more");
    file.sink->close();
    EXPECT_EQ(ReadBytes(f.file), "data+more");

    outcome = open(f.file, OpenForOutput, file);
    ASSERT_TRUE(file.isOpen());
    file.sink->close();
    EXPECT_EQ(ReadBytes(f.file), "") << "output empties an existing file";

    outcome = open(f.file, OpenForInput, file);
    EXPECT_TRUE(file.reader && file.reader->isOpen());
    EXPECT_EQ(outcome.messages, 0u);

    outcome = open(f.folder.file("nofolder/Pemdrix.tem"), OpenForOutput, file);
    EXPECT_EQ(outcome.answer, "76");
    EXPECT_EQ(outcome.messages, 1u);
    EXPECT_FALSE(file.isOpen());

    outcome = open(f.folder.file("missing"), OpenForInput, file);
    EXPECT_EQ(outcome.answer, "53");

    outcome = open(f.pipe, OpenForOutput, file);
    EXPECT_FALSE(outcome.answer.empty()) << "a pipe is no file and must not block";

    outcome = open(f.folder.file("never"), 4, file);
    EXPECT_EQ(outcome.answer, "");
    EXPECT_EQ(outcome.messages, 0u);
    EXPECT_FALSE(file.isOpen());
}

} // namespace
} // namespace tavrelo
