// The MAPA 2 text: comment block, preamble, station blocks and closing markers.
#include "CoordTestSupport.h"
#include "conversion/Mapa2Writer.h"
#include "conversion/TextWriterRun.h"

#include <gtest/gtest.h>

#include <regex>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

const std::vector<std::string> kPreamble = {"9999", "999999999", "100001", "1", "3", "0", "2"};

// What the writer puts out; result is what it returns (kNoUsableRecord without records).
std::string Mapa(const std::string& rawBytes, int result = 0)
{
    TempFolder folder;
    WriteBytes(folder.file("in.raw"), rawBytes);
    StringSink out;
    EXPECT_EQ(Mapa2Writer("01-02-24").write(folder.file("in.raw"), out), result);
    return out.bytes();
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(Mapa2Writer, SurveyGivesCommentsPreambleAndStationBlocks)
{
    // Skipped download, tilt and creation comments; the comment after the first kept
    // one; station codes from coordinate records; short records and blank lines that
    // take nothing from the next line; names as read.
    StringSink out;
    ASSERT_EQ(Mapa2Writer("01-02-24").write(Fixture("mapa_survey.raw"), out), 0);
    EXPECT_EQ(out.bytes(), ReadBytes(Fixture("mapa_survey_expected.txt")));
}

TEST(Mapa2Writer, HeaderCases)
{
    // Without a station, observation or coordinate record the writer says so, and
    // the run delivers nothing (its text is what it would have been).
    const struct { const char* what; std::vector<std::string> raw; std::vector<std::string> mapa; int result; } cases[] = {
        {"comments only: the last is written once",
         {"CO,first", "CO,second"},
         Joined({"; MAPA 2 format from first", "; Date: 01-02-24", "; second"}, Joined(kPreamble, {"/", "-2"})),
         kNoUsableRecord},
        {"no leading comment: no comment and no date line",
         {"ST,S1,,B1,,1,0,0"},
         Joined(kPreamble, {"1 S1 1.000", "-1", "/", "-2"}), 0},
        {"empty file",
         {},
         Joined(kPreamble, {"/", "-2"}), kNoUsableRecord},
        {"only skipped comments",
         {"CO,Downloaded x", "CO,Tilt Correction", "SS,P,1,2,3,4,,C"},
         Joined(kPreamble, {"P 2.000 1.000 3.0000 4.0000 *C", "/", "-2"}), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Mapa(CrLf(c.raw), c.result), CrLf(c.mapa)) << c.what;
}

TEST(Mapa2Writer, StationCodesHaveNoLimitOfCount)
{
    std::vector<std::string> raw;
    for (int i = 0; i < 6000; ++i)
        raw.push_back("MP,S" + std::to_string(i) + ",,1,2,3,C" + std::to_string(i));
    raw.push_back("MP,S5999,,1,2,3,LATER"); // the first record of a name wins
    raw.push_back("ST,S5999,,B,,1.5,0,0");
    const std::string mapa = Mapa(CrLf(raw));
    EXPECT_NE(mapa.find("\r\n1 S5999 1.500 *C5999\r\n-1\r\n"), std::string::npos);
}

TEST(Mapa2Writer, TodayIsTheDateOfTheRun)
{
    EXPECT_TRUE(std::regex_match(Mapa2Today(), std::regex("[0-3][0-9]-[01][0-9]-[0-9][0-9]")));
}
