#include "conversion/SlopeReduction.h"

#include <cmath>

namespace tavrelo {

ZenithTrig ZenithTrigFor(const ReductionSettings& settings, double zenith)
{
    ZenithTrig trig;
    trig.sinZ = std::sin(zenith);
    trig.cosZ = std::cos(zenith);
    if (settings.CalcCurvatureAndRefraction != 0)
        trig.sin2Z = std::sin(2.0 * zenith);
    return trig;
}

void ReduceSlopeDistance(const ReductionSettings& settings, double& slopeDistance, double& horizontalDistance,
                         double& heightDifference, double zenith, double stationHeight, double temperature,
                         double pressure)
{
    ReduceSlopeDistance(settings, slopeDistance, horizontalDistance, heightDifference,
                        ZenithTrigFor(settings, zenith), stationHeight, temperature, pressure);
}

void ReduceSlopeDistance(const ReductionSettings& settings, double& slopeDistance, double& horizontalDistance,
                         double& heightDifference, const ZenithTrig& zenith, double stationHeight, double temperature,
                         double pressure)
{
    double& s = slopeDistance;
    if (settings.CalcTemperatureAndPressure != 0) {
        const double ppm = 275.0 - 106.0 * pressure / (273.0 + temperature);
        s = s * (1.0 + ppm / 1000000.0);
    }
    const double sinZ = zenith.sinZ;
    double hd = std::fabs(s * sinZ);
    double vd = s * zenith.cosZ;
    if (settings.CalcCurvatureAndRefraction != 0) {
        const double k = settings.RefractionConstant;
        const double s2 = s * s / (2.0 * kEarthRadius);
        hd = std::fabs(hd - (1.0 - k / 2.0) * zenith.sin2Z * s2);
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
