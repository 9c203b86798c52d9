// The Eghas and NEDCAD listings: columns and print zones, the reduced angle, and
// records read line by line.
#include "CoordTestSupport.h"
#include "conversion/EghasWriter.h"
#include "conversion/NedcadWriter.h"

#include <gtest/gtest.h>

using namespace tavrelo;
using namespace tavrelo::testing;

namespace {

template <typename Writer>
std::string Listing(const std::string& rawBytes)
{
    TempFolder folder;
    WriteBytes(folder.file("in.raw"), rawBytes);
    StringSink out;
    EXPECT_EQ(Writer().write(folder.file("in.raw"), out), 0);
    return out.bytes();
}

} // namespace

TEST(Listings, SurveyGivesTheLayoutsByteForByte)
{
    // Observations before the first station, names read as text ("0012"), the angle
    // reduced through 400, values wider than their masks, a station with empty values.
    const std::string raw = ReadBytes(Fixture("listing_survey.raw"));
    EXPECT_EQ(Listing<EghasWriter>(raw), ReadBytes(Fixture("listing_survey_expected.eghas")));
    EXPECT_EQ(Listing<NedcadWriter>(raw), ReadBytes(Fixture("listing_survey_expected.nedcad")));
}

TEST(Listings, ReducedHorizontalAngle)
{
    const struct { const char* reference; const char* angle; const char* eghas; const char* nedcad; } cases[] = {
        {"350.0000", "20.0000", "070.0000", " 70 "},
        {"0", "20.0000", "020.0000", " 20 "},
        {"20", "20", "000.0000", " 0 "},
        {"10", "415.5", "405.5000", " 405.5 "}, // 400 or more is not reduced
        {"", "20.25", "020.2500", " 20.25 "},   // an empty reference counts as 0
    };
    for (const auto& c : cases) {
        const std::string raw =
            CrLf({std::string("ST,S,,B,,1.5,0,") + c.reference, std::string("SS,P,1.5,10,") + c.angle + ",100,,"});
        EXPECT_EQ(Listing<EghasWriter>(raw).substr(52, 8), c.eghas) << c.reference << " " << c.angle;
        const std::string nedcad = Listing<NedcadWriter>(raw);
        const size_t observation = nedcad.rfind("\r\nP") + 2;
        EXPECT_EQ(nedcad.substr(observation + 14, std::string(c.nedcad).size()), c.nedcad) << c.reference;
    }
}

TEST(Listings, ARecordNeverTakesItemsFromTheNextLine)
{
    // A record with empty items, a blank line and a record with surplus items each stay
    // on their line; a record cut short is left out, never filled from the next line.
    const std::string raw = CrLf({"ST,S,,B,,1.5,0,0", "SS,P1,,,,", "SS,P0,1", "",
                                  "F1,P2,1.5,10,20,100,extra,more", "SS,P3,1,2,3,4"});
    const std::string nedcad = Listing<NedcadWriter>(raw);
    EXPECT_NE(nedcad.find("\r\nP1             0             0             0             0 \r\n"), std::string::npos);
    EXPECT_EQ(nedcad.find("P0"), std::string::npos);
    EXPECT_NE(nedcad.find("\r\nP2             20            100           10            1.5 \r\n"), std::string::npos);
    EXPECT_NE(nedcad.find("\r\nP3             3             4             2             1 \r\n"), std::string::npos);
}

TEST(Listings, NedcadNumbersInTheirPrintedForm)
{
    const std::string nedcad = Listing<NedcadWriter>(CrLf({"F1,P,0.25,-2.5,1,0.000001"}));
    EXPECT_EQ(nedcad, "P              1             1E-06        -2.5           .25 \r\n");
}

TEST(Listings, CommentsAndCoordinateRecordsWriteNothing)
{
    const std::string raw = CrLf({"CO,a, b, c", "UP,U1,,1,2,3,C", "MP,M,,1,2,3", "ST,S,,B,,1,0,0"});
    EXPECT_EQ(Listing<EghasWriter>(raw), "");
    EXPECT_EQ(Listing<NedcadWriter>(raw).substr(0, 2), "S ");
}
