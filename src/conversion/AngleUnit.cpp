#include "conversion/AngleUnit.h"

#include <cmath>

namespace tavrelo {

namespace {
constexpr double kPi = 3.14159265358979323846;
// Absorbs the binary error of a packed fraction: 329.15 is 329.149999...; without it
// the minutes would read 14 and the seconds 99.99.
constexpr double kPackedSlack = 1e-8;
} // namespace

AngleUnit AngleUnit::FromText(const std::string& text)
{
    AngleUnit unit;
    auto has = [&](const char* part) { return text.find(part) != std::string::npos; };
    if (has("GONS"))
        unit.m_factor = kPi / 200.0;
    if (has("DEGRE"))
        unit.m_factor = kPi / 180.0;
    if (has("MI"))
        unit.m_factor = kPi / 3200.0;
    if (has("DDDMMSS")) {
        unit.m_kind = Kind::PackedDms;
        unit.m_factor = kPi / 180.0;
    }
    return unit;
}

double AngleUnit::toRadians(double value) const
{
    if (m_kind == Kind::PackedDms)
        return PackedDmsToDegrees(value) * (kPi / 180.0);
    return value * m_factor;
}

double AngleUnit::fromRadians(double radians) const
{
    if (m_kind == Kind::PackedDms)
        return DegreesToPackedDms(radians * (180.0 / kPi));
    return radians / m_factor;
}

double PackedDmsToDegrees(double packed)
{
    const double a = std::fabs(packed);
    const double degrees = std::floor(a + kPackedSlack);
    const double rest = (a - degrees) * 100.0;
    const double minutes = std::floor(rest + kPackedSlack);
    const double seconds = (rest - minutes) * 100.0;
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    return packed < 0 ? -value : value;
}

double DegreesToPackedDms(double value)
{
    const double a = std::fabs(value);
    double degrees = std::floor(a);
    double minutes = std::floor((a - degrees) * 60.0);
    double seconds = ((a - degrees) * 60.0 - minutes) * 60.0;
    if (seconds >= 60.0 - 1e-9) {
        seconds = 0.0;
        minutes += 1.0;
    }
    if (minutes >= 60.0) {
        minutes = 0.0;
        degrees += 1.0;
    }
    const double packed = degrees + minutes / 100.0 + seconds / 10000.0;
    return value < 0 ? -packed : packed;
}

} // namespace tavrelo
