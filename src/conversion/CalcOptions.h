#pragma once
// The options of the coordinate calculation settings dialog F_SetCalcCoo, section
// [Calc Coordinate Settings], and the program-wide calculation settings
// that loading them sets. The calculator reads this store; the
// dialog, when it is built, shows and edits it.
//
// Mended against the original dialog: the values shown are the values used.
// - Option and field indices are rounded first and then range-checked; an index that
//   names no choice keeps the default selection.
// - The scale factor is normalised ("," to ".", empty to "1.00000") and checked
//   (0.9996..1.0004) when the options load, as on OK: an invalid stored value loads
//   as 1.0, shown as "1.00000".
// - A control-point file that the settings show ticked and named is used from the
//   load on (ControlFileName), not only after an OK in the current run.
#include "conversion/CoordinateFieldOptions.h"
#include "conversion/SlopeReduction.h"

#include <string>
#include <vector>

namespace tavrelo {

class Profile;

struct CalcOptions : ReductionSettings {
    static constexpr const char* kSection = "Calc Coordinate Settings";
    static constexpr double kScaleMin = 0.9996;
    static constexpr double kScaleMax = 1.0004;

    // The new-file defaults, loaded: curvature and refraction on with 0.200, sea level on.
    CalcOptions();

    // Loads the section as Form_Load does and sets the program-wide settings.
    void load(const Profile& profile);
    // The program-wide settings from the options, as at the end of a load:
    // CalcTemperatureAndPressure always 0.
    void applyToCalculation();

    // The dialog's scale-factor rule: the text normalised ("" -> "1.00000", the first
    // "," -> "."); true when its number lies in 0.9996..1.0004 (bounds included).
    static bool NormaliseScaleFactor(std::string& text);

    // The dialog's OK: false (nothing changed, message 50 to be shown) when the scale
    // factor text is out of range; else the text is normalised, the program-wide
    // settings and ControlFileName are set and true returned. The caller saves
    // settingsValues().
    bool accept();
    // The section's option keys as the dialog's OK writes them, in its order: the
    // field order first, then the corrections, the scale factor and the control file.
    std::vector<KeyedValue> settingsValues() const;

    // Options as the dialog's controls hold them.
    CoordinateFieldOptions fields{FieldSection::CalcCoordinate};
    int temperatureAndPressure = 0; // OpTP: 0 "On", 1 "Off" (hidden; never switches the correction on)
    int curvatureAndRefraction = 0; // OpCR: 0 "On", 1 "Off"
    int refractionConstant = 1;     // OpRCon: 0 is 0.132, 1 is 0.200
    int seaLevel = 0;               // OpSL: 0 "On", 1 "Off"
    bool mapProjection = false;     // CheckScFactor
    std::string scaleFactorText = "1.00000"; // TxScaleFactor
    bool checkControlFile = false;  // CheckControlFile
    std::string controlFileText;    // TxControlFile, untrimmed

    // Program-wide, besides the ReductionSettings: the control-point file ("" none).
    std::string ControlFileName;
};

} // namespace tavrelo
