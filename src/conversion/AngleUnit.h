#pragma once
// The angle unit of a raw data file, from its "CO,Angle Units:" line.
//
// Mended against the original reader: "DDDMMSS" angles are packed degrees, minutes
// and seconds (329.1428 is 329 deg 14' 28") instead of falling through to gon, and
// "MILS" has 6400 units to the full circle (pi/3200), not 1000.
#include <string>

namespace tavrelo {

class AngleUnit {
public:
    enum class Kind { Factor, PackedDms };

    // Gon until a unit line says otherwise.
    AngleUnit() = default;
    // From the unit text (upper case): tests in this order, each overriding the one
    // before: gon; "GONS" gon; "DEGRE" degrees; "MI" mils; "DDDMMSS" packed DMS.
    static AngleUnit FromText(const std::string& upperText);

    double toRadians(double value) const;
    double fromRadians(double radians) const;
    Kind kind() const { return m_kind; }
    double factor() const { return m_factor; } // radians per unit (Factor kind)

private:
    Kind m_kind = Kind::Factor;
    double m_factor = 3.14159265358979323846 / 200.0;
};

// 329.1428 -> 329 + 14/60 + 28/3600 degrees; the sign applies to the whole angle.
double PackedDmsToDegrees(double packed);
double DegreesToPackedDms(double degrees);

} // namespace tavrelo
