#include "platform/TextRules.h"

#include <gtest/gtest.h>

#include <clocale>

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
