#include "link/core/SendFile.h"

#include "platform/ByteSink.h"

#include "../app/TempFolder.h"

#include <gtest/gtest.h>

namespace tavrelo {
namespace {

TEST(SendFile, VerdictsByNameAndSize)
{
    test::TempFolder folder;
    ASSERT_EQ(WriteFileAtomically(folder.file("empty.txt"), ""), 0);
    ASSERT_EQ(WriteFileAtomically(folder.file("tiny.txt"), "ab"), 0);
    ASSERT_EQ(WriteFileAtomically(folder.file("four.txt"), "P1\r\n"), 0);
    const struct {
        std::string name;
        SendFileVerdict verdict;
    } cases[] = {
        {folder.file("missing.txt"), SendFileVerdict::New},
        {folder.file("empty.txt"), SendFileVerdict::New},
        {folder.file("tiny.txt"), SendFileVerdict::NoData},
        {folder.file("four.txt"), SendFileVerdict::Old},
        {"  \"" + folder.file("four.txt") + "\" ", SendFileVerdict::Old},
        {folder.file("sub/PEMDRIX.TEM"), SendFileVerdict::Refused},
        {folder.file("pemdrix.tem.txt"), SendFileVerdict::Refused},
        {folder.file("what?.txt"), SendFileVerdict::Refused},
        {folder.file("nofolder/list.txt"), SendFileVerdict::Refused},
        {folder.path(), SendFileVerdict::Unusable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckSendFile(c.name, "Pemdrix.tem"), c.verdict) << c.name;
}

TEST(SendFile, NewFilesFromTheirTemplate)
{
    test::TempFolder folder;
    ASSERT_EQ(WriteFileAtomically(folder.file("old.txt"), "old contents"), 0);
    EXPECT_EQ(CreateSendFile(folder.file("old.txt"), NewSendFileKind::Coordinate), 0);
    EXPECT_EQ(test::ReadBytes(folder.file("old.txt")), "");
    EXPECT_EQ(CreateSendFile(folder.file("codes.cod"), NewSendFileKind::CodeList), 0);
    EXPECT_EQ(test::ReadBytes(folder.file("codes.cod")), test::CrLf({"DEFAULT", "{", "", "}"}));
    EXPECT_EQ(SendFileTemplate(NewSendFileKind::PointNameList), SendFileTemplate(NewSendFileKind::CodeList));

    EXPECT_NE(CreateSendFile(folder.file("nofolder/codes.cod"), NewSendFileKind::CodeList), 0);
    EXPECT_NE(CreateSendFile("", NewSendFileKind::CodeList), 0);
}

} // namespace
} // namespace tavrelo
