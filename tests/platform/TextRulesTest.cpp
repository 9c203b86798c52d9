#include "platform/TextRules.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <random>
#include <vector>

using namespace tavrelo;

TEST(Val, ReadsTheLeadingNumber)
{
    const struct { const char* text; double value; } cases[] = {
        {"", 0}, {"abc", 0}, {" 495 ", 495}, {"8.25", 8.25}, {"1 2 3", 123}, {"\t-1.5e2x", -150},
        {"12abc", 12}, {"&H1F", 31}, {"&o17", 15}, {"&HFFFF", -1}, {"1.2.3", 1.2}, {"-", 0},
        {".5", 0.5}, {"1e", 1}, {"1\n0", 10}, {"+7", 7}, {"3D2", 300},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(c.text), c.value) << c.text;
}

TEST(HoldsNumber, ADigitWhereValReadsItsNumber)
{
    const struct { const char* text; bool number; } cases[] = {
        {"12", true}, {" -.5", true}, {"3m", true}, {"+ 7", true}, {"&H1F", true}, {"& o 7", true}, {"0", true},
        {"", false}, {".", false}, {"-", false}, {"+-1", false}, {"North", false}, {"&H", false}, {"&O8", false},
        {"&X1", false}, {". ", false}, {"e5", false}, {"\t", false},
        // beyond what the reader can hold: it reads them as 0, so they hold no number
        {"1e999", false}, {"-1e400", false}, {"1 e 400", false}, {"1D999", false}, {"1e-400", false},
        {"1e308", true}, {"-2.5e-300", true}, {"1e99999x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HoldsNumber(c.text), c.number) << c.text;
        if (!c.number) // what holds no number reads as 0
            EXPECT_EQ(Val(c.text), 0.0) << c.text;
    }
    EXPECT_FALSE(HoldsNumber(std::string(400, '9')));
    EXPECT_TRUE(HoldsNumber("1" + std::string(400, ' ')));
    // A coordinate field may also be empty: it counts as 0.
    for (const char* field : {"", " ", "\t", "12.5", "-0"})
        EXPECT_TRUE(IsCoordinateField(field)) << field;
    for (const char* field : {".", "North", "x1", "  -  "})
        EXPECT_FALSE(IsCoordinateField(field)) << field;
}

TEST(CInt, RoundsHalfToEvenAndChecksRange)
{
    const struct { double in; int out; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {32767.0, 32767}, {-32768.0, -32768},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CInt(c.in), c.out) << c.in;
    EXPECT_THROW(CInt(32767.5), OverflowError);
    EXPECT_THROW(CInt(-32768.6), OverflowError);
    EXPECT_THROW(CInt(1e12), OverflowError);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_THROW(CLng(3e9), OverflowError);
}

TEST(NumberForms, PrintAndMaskUsePointWhateverTheValue)
{
    EXPECT_EQ(PrintNumber(495), " 495 ");
    EXPECT_EQ(PrintNumber(8.25), " 8.25 ");
    EXPECT_EQ(PrintNumber(-2), "-2 ");
    EXPECT_EQ(PrintNumber(0), " 0 ");
    const struct { double value; const char* mask; const char* text; } cases[] = {
        {2.345, "0.00", "2.35"}, {-2.345, "0.00", "-2.35"}, {0.006, "0.00", "0.01"}, {0.004, "0.00", "0.00"},
        {-0.004, "0.00", "0.00"}, {9.999, "0.00", "10.00"}, {2.5, "0", "3"}, {1234567.8915, "0.000", "1234567.892"},
        {0, "0.000", "0.000"}, {1.0, "0.00000", "1.00000"}, {6543210.1234, "0.00", "6543210.12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
}

TEST(Trim, RemovesSpacesOnly)
{
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_TRUE(EqualsNoCase("Main Form", "MAIN form"));
    EXPECT_FALSE(EqualsNoCase("Fr1", "Fr10"));
}

TEST(NumberForms, MaskZerosBeforeThePointAreLeadingDigits)
{
    const struct { double value; const char* mask; const char* text; } cases[] = {
        {1.5, "00.000", "01.500"}, {1.55, "00.00", "01.55"}, {12345.5, "0000.000", "12345.500"},
        {-1.5, "00.000", "-01.500"}, {0, "000.0000", "000.0000"}, {18.4, "#0", "18"}, {1.5, "###0.000", "1.500"},
        {6543210.123, "##0.000", "6543210.123"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
    const struct { double value; const char* text; } printed[] = {
        {0.5, " .5 "}, {-0.25, "-.25 "}, {1234.5, " 1234.5 "}, {0, " 0 "}, {1e-6, " 1E-06 "}, {-3, "-3 "},
    };
    for (const auto& c : printed)
        EXPECT_EQ(PrintStatementNumber(c.value), c.text) << c.value;
}

// The printed form spelled out the long way: fifteen significant digits, "0." as ".",
// "E" for the exponent.
std::string PrintedTheLongWay(double value)
{
    if (value == 0.0)
        return " 0 ";
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::general, 15);
    std::string digits(buffer, end.ptr);
    for (char& c : digits)
        c = c == 'e' ? 'E' : c;
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        digits.erase(0, 1);
    return (value < 0 ? "-" : " ") + digits + " ";
}

TEST(NumberForms, PrintedNumbersOfEveryKindAsTheLongWayGivesThem)
{
    // Field values with 0 to 9 decimals of every size, the edges of the fixed form
    // (1E-04, 1E+15), and doubles that no short decimal holds.
    std::mt19937_64 random(7);
    std::vector<double> values{1e-4, 9.9999e-5, 0.001, 0.00123, 0.000123, 1e15, 999999999999999.0, 1e14 + 0.5,
                               123456789012345.6, 0.1 + 0.2, 1.0 / 3.0, 2.5e-7, 6500123.4567};
    for (int i = 0; i < 20000; ++i) {
        const auto units = static_cast<double>(random() % 100000000000ULL);
        values.push_back(units / std::pow(10.0, static_cast<int>(random() % 12)));
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 80)));
    }
    for (const double v : values) {
        ASSERT_EQ(PrintStatementNumber(v), PrintedTheLongWay(v)) << v;
        ASSERT_EQ(PrintStatementNumber(-v), PrintedTheLongWay(-v)) << v;
    }
}

TEST(NumberForms, PointWhateverTheLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed (test.sh generates de_DE.UTF-8)";
    const double read = Val("8.25");
    const std::string printed = PrintNumber(8.25);
    const std::string masked = FormatMask(1234.5678, "0.000");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_DOUBLE_EQ(read, 8.25);
    EXPECT_EQ(printed, " 8.25 ");
    EXPECT_EQ(masked, "1234.568");
}
