#pragma once
// Reduction of one measured slope distance.
#include <cstdint>

namespace tavrelo {

// The program-wide calculation settings that the reduction reads.
struct ReductionSettings {
    int16_t CalcTemperatureAndPressure = 0; // non-zero: atmospheric correction
    int16_t CalcCurvatureAndRefraction = 0; // non-zero: earth curvature and refraction
    int16_t CalcSeaLevel = 0;               // non-zero: reduce to sea level
    int16_t UseScaleFactor = 0;             // non-zero: times MapProjectionScaleFactor
    float RefractionConstant = 0.132f;      // k: 0.132 or 0.200
    double MapProjectionScaleFactor = 1.0;
};

constexpr double kEarthRadius = 6370000.0;

// Turns slope distance S and zenith angle Z (radians) into the horizontal distance
// HD and the height difference VD from the trunnion axis to the target, with the
// corrections switched on, in this order: atmosphere (T in degrees Celsius, P in mm
// of mercury; the corrected S is written back), curvature and refraction, sea level
// (station height Hst plus half VD as the line's mean height), scale factor.
// The caller adds the instrument height and subtracts the target height.
void ReduceSlopeDistance(const ReductionSettings& settings, double& slopeDistance, double& horizontalDistance,
                         double& heightDifference, double zenith, double stationHeight, double temperature,
                         double pressure);

// The sines and cosine of a zenith angle that the reduction takes, worked out apart
// (by the threads that read a large file) and handed in: the same values, so the
// same results.
struct ZenithTrig {
    double sinZ = 0.0;
    double cosZ = 0.0;
    double sin2Z = 0.0; // only with curvature and refraction on
};
ZenithTrig ZenithTrigFor(const ReductionSettings& settings, double zenith);
void ReduceSlopeDistance(const ReductionSettings& settings, double& slopeDistance, double& horizontalDistance,
                         double& heightDifference, const ZenithTrig& zenith, double stationHeight, double temperature,
                         double pressure);

} // namespace tavrelo
