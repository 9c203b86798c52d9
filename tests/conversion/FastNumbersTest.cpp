#include "conversion/AngleUnit.h"
#include "conversion/FastNumbers.h"
#include "platform/TextRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tavrelo;

TEST(FastNumbers, FieldValueAgreesWithVal)
{
    const char* texts[] = {"123.456", "-0.5", "+7", ".25", "1.", "", "-", "12a", " 4 2", "&H10", "1e3", "0.0000",
                           "99999999999999999999", "123456789012.345", "1.5D2", "abc", "-0", "5.000.1"};
    for (const char* t : texts)
        EXPECT_EQ(FieldValue(t), Val(t)) << t;
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> d(-1e7, 1e7);
    for (int i = 0; i < 20000; ++i) {
        const std::string t = FormatMask(d(random), i % 2 ? "0.0000" : "0.000");
        ASSERT_EQ(FieldValue(t), Val(t)) << t;
    }
}

TEST(FastNumbers, Fixed3AgreesWithFormatMask)
{
    const double values[] = {0.0, -0.0, 0.0004, -0.0004, -0.0005, 0.0005, 2.3455, 1234.5675, -1234.5675,
                             70.71067811865476, 1e12, -1e15, 999999.9995, 1e-20, 0.1 + 0.2};
    for (double v : values)
        EXPECT_EQ(Fixed3(v), FormatMask(v, "0.000")) << v;
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> d(-1e6, 1e6);
    for (int i = 0; i < 100000; ++i) {
        const double v = i % 3 ? d(random) : std::round(d(random) * 10000) / 10000; // also exact ties
        ASSERT_EQ(Fixed3(v), FormatMask(v, "0.000")) << v;
    }
}

TEST(AngleUnit, UnitTexts)
{
    constexpr double kPi = 3.14159265358979323846;
    const struct { const char* text; double radiansOf100; } rows[] = {
        {"", kPi / 2}, {"GONS", kPi / 2}, {"DEGREES", 100 * kPi / 180}, {"MILS", 100 * kPi / 3200},
        {"DEGREES MILS", 100 * kPi / 3200}, {"DDDMMSS", 100 * kPi / 180}, {"RADIANS", kPi / 2}};
    for (const auto& r : rows)
        EXPECT_NEAR(AngleUnit::FromText(r.text).toRadians(100.0), r.radiansOf100, 1e-15) << r.text;
}

TEST(AngleUnit, PackedDegreesMinutesSeconds)
{
    const struct { double packed; double degrees; } rows[] = {
        {329.1428, 329 + 14 / 60.0 + 28 / 3600.0}, {0.15, 0.25}, {10.3000, 10.5}, {359.5959, 359 + 59 / 60.0 + 59 / 3600.0},
        {-45.3030, -(45 + 30 / 60.0 + 30 / 3600.0)}, {90.0000, 90.0}, {0.00005, 0.5 / 3600}};
    for (const auto& r : rows) {
        EXPECT_NEAR(PackedDmsToDegrees(r.packed), r.degrees, 1e-9) << r.packed;
        EXPECT_NEAR(DegreesToPackedDms(r.degrees), r.packed, 1e-9) << r.packed;
    }
}
