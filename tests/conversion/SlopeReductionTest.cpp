#include "conversion/SlopeReduction.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tavrelo;

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kGon = kPi / 200.0;
} // namespace

// The reduction cases that matter, one row each.
TEST(ReduceSlopeDistance, EdgeCasesOfThePart)
{
    struct Row {
        const char* what;
        bool cr, sl, sf;
        float k;
        double scale, s, z, hst, hd, vd, tolerance;
    };
    // S = 1000, Z = pi/2, curvature and refraction: sin 2Z = 0 keeps HD; VD =
    // (1 - k) * 1000^2 / 12 740 000 = 0.868 * 0.0784929 = 0.068132 (k 0.132).
    const Row rows[] = {
        {"all off", false, false, false, 0.132f, 1.0, 1000, 95 * kGon, 100, 996.917, 78.459, 5e-4},
        {"C&R 0.132, horizontal", true, false, false, 0.132f, 1.0, 1000, kPi / 2, 0, 1000.0, 0.068132, 1e-6},
        {"C&R 0.200, horizontal", true, false, false, 0.2f, 1.0, 1000, kPi / 2, 0, 1000.0, 0.062794, 1e-6},
        {"C&R and sea level at 95 gon", true, true, false, 0.132f, 1.0, 1000, 95 * kGon, 100, 996.884, 78.527, 5e-4},
        {"sea level only, Hst 500", false, true, false, 0.132f, 1.0, 1000, kPi / 2, 500, 999.9215, 0.0, 1e-4},
        {"scale factor 1.0004", false, false, true, 0.132f, 1.0004, 1000, kPi / 2, 0, 1000.4, 0.0, 1e-9},
        {"face two zenith", false, false, false, 0.132f, 1.0, 100, 300 * kGon, 0, 100.0, 0.0, 1e-9},
        {"face two 305 gon", false, false, false, 0.132f, 1.0, 100, 305 * kGon, 0, 99.6917, 7.8459, 1e-4},
    };
    for (const Row& r : rows) {
        ReductionSettings s;
        s.CalcCurvatureAndRefraction = r.cr ? -1 : 0;
        s.CalcSeaLevel = r.sl ? -1 : 0;
        s.UseScaleFactor = r.sf ? -1 : 0;
        s.RefractionConstant = r.k;
        s.MapProjectionScaleFactor = r.scale;
        double slope = r.s, hd = -1, vd = -1;
        ReduceSlopeDistance(s, slope, hd, vd, r.z, r.hst, 20.0, 760.0);
        EXPECT_NEAR(hd, r.hd, r.tolerance) << r.what;
        EXPECT_NEAR(vd, r.vd, r.tolerance) << r.what;
        EXPECT_GE(hd, 0.0) << r.what;
        EXPECT_EQ(slope, r.s) << r.what;
    }
}

TEST(ReduceSlopeDistance, AllOffIsExactlySineAndCosine)
{
    ReductionSettings s;
    double slope = 123.456, hd, vd;
    ReduceSlopeDistance(s, slope, hd, vd, 1.2345, 900.0, 20.0, 760.0);
    EXPECT_EQ(hd, std::fabs(123.456 * std::sin(1.2345)));
    EXPECT_EQ(vd, 123.456 * std::cos(1.2345));
}

TEST(ReduceSlopeDistance, AtmosphereWritesTheSlopeBack)
{
    const struct { double t, p, ppm; } rows[] = {{20, 760, 0.051}, {30, 700, 30.116}};
    for (const auto& r : rows) {
        ReductionSettings s;
        s.CalcTemperatureAndPressure = -1;
        double slope = 1000000.0, hd, vd;
        ReduceSlopeDistance(s, slope, hd, vd, kPi / 2, 0, r.t, r.p);
        EXPECT_NEAR(slope - 1000000.0, r.ppm, 1e-3);
        EXPECT_NEAR(hd, slope, 1e-6);
    }
}

TEST(ReduceSlopeDistance, StationHeightOnlyEntersSeaLevel)
{
    ReductionSettings s;
    s.CalcCurvatureAndRefraction = -1;
    double a = 500, b = 500, hd1, vd1, hd2, vd2;
    ReduceSlopeDistance(s, a, hd1, vd1, 1.4, 0.0, 20, 760);
    ReduceSlopeDistance(s, b, hd2, vd2, 1.4, 2500.0, 20, 760);
    EXPECT_EQ(hd1, hd2);
    EXPECT_EQ(vd1, vd2);
}
