// The operating system's lock on an open file: one holder at a time, the file's words
// readable by whoever finds it held, a name that is no regular file reported without
// being opened, and a held file removed only by its holder.
#include "platform/FileLock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavrelo;

namespace {

class LockFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrelo-lock-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        lock = (folder / "Tavrelo.lock").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::string lock;
};

} // namespace

TEST_F(LockFolder, OneHolderAtATimeAndItsWordsAreRead)
{
    FileLock first(lock);
    ASSERT_EQ(first.state(), FileLock::State::Held);
    ASSERT_TRUE(first.write("4242\ntavrelo\nvm\n"));
    ASSERT_TRUE(first.write("17\ntavrelo\nvm\n")); // shorter: nothing of the old words stays

    FileLock second(lock); // another opening, as another process makes
    EXPECT_EQ(second.state(), FileLock::State::HeldByAnother);
    EXPECT_EQ(second.contents(), "17\ntavrelo\nvm\n");
    EXPECT_FALSE(second.write("mine"));

    first.release(true);
    EXPECT_FALSE(std::filesystem::exists(lock));
    FileLock third(lock);
    EXPECT_EQ(third.state(), FileLock::State::Held);
    EXPECT_EQ(third.contents(), "");
}

TEST_F(LockFolder, ALeftFileIsTakenAsItIsAndKeptWhenReleasedSo)
{
    std::ofstream(lock, std::ios::binary) << std::string("\0\0\xff\n", 4);
    {
        FileLock taken(lock);
        EXPECT_EQ(taken.state(), FileLock::State::Held);
        EXPECT_EQ(taken.contents(), std::string("\0\0\xff\n", 4));
    }
    EXPECT_TRUE(std::filesystem::exists(lock));
}

TEST_F(LockFolder, NamesThatAreNoFileAreReportedUnopened)
{
    const struct {
        const char* name;
        void (*make)(const std::string&);
        FileLock::State state;
        FileLock::Kind kind;
    } cases[] = {
        {"named pipe", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, FileLock::State::NotAFile,
         FileLock::Kind::Pipe},
        {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, FileLock::State::NotAFile,
         FileLock::Kind::Folder},
        {"link to a device", [](const std::string& p) { std::filesystem::create_symlink("/dev/null", p); },
         FileLock::State::NotAFile, FileLock::Kind::Device},
        {"link that leads nowhere", [](const std::string& p) { std::filesystem::create_symlink("gone/x", p); },
         FileLock::State::Unopenable, FileLock::Kind::Other},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(lock);
        c.make(lock);
        FileLock refused(lock);
        EXPECT_EQ(refused.state(), c.state) << c.name;
        EXPECT_EQ(refused.kind(), c.kind) << c.name;
        EXPECT_EQ(refused.contents(), "") << c.name;
        refused.release(true);
        EXPECT_TRUE(std::filesystem::is_symlink(lock) || std::filesystem::exists(lock)) << c.name;
    }
}

TEST_F(LockFolder, AFolderThatTakesNoFileHasNoPlaceForOne)
{
    std::ofstream((folder / "blocker").string()) << "x";
    FileLock none((folder / "blocker" / "Tavrelo.lock").string());
    EXPECT_EQ(none.state(), FileLock::State::NoPlace);
    EXPECT_NE(none.error(), 0);
}
