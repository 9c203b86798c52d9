#include "conversion/SlopeReduction.h"

#include <cmath>

namespace tavrelo {

void ReduceSlopeDistance(const ReductionSettings& settings, double& slopeDistance, double& horizontalDistance,
                         double& heightDifference, double zenith, double stationHeight, double temperature,
                         double pressure)
{
    double& s = slopeDistance;
    if (settings.CalcTemperatureAndPressure != 0) {
        const double ppm = 275.0 - 106.0 * pressure / (273.0 + temperature);
        s = s * (1.0 + ppm / 1000000.0);
    }
    const double sinZ = std::sin(zenith);
    double hd = std::fabs(s * sinZ);
    double vd = s * std::cos(zenith);
    if (settings.CalcCurvatureAndRefraction != 0) {
        const double k = settings.RefractionConstant;
        const double s2 = s * s / (2.0 * kEarthRadius);
        hd = std::fabs(hd - (1.0 - k / 2.0) * std::sin(2.0 * zenith) * s2);
        vd = vd + (1.0 - k) * sinZ * sinZ * s2;
    }
    if (settings.CalcSeaLevel != 0)
        hd = hd * kEarthRadius / (kEarthRadius + stationHeight + vd / 2.0);
    if (settings.UseScaleFactor != 0)
        hd = hd * settings.MapProjectionScaleFactor;
    horizontalDistance = hd;
    heightDifference = vd;
}

} // namespace tavrelo
