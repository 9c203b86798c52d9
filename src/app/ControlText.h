#pragma once
// The texts, font and size of one control as the settings file carries them in the
// control's section. Windows copy these onto their widgets; windows not yet shown are
// represented by these values alone, so the file round-trips either way.
#include <string>

namespace tavrelo {

// Which lines a control's section has (0 text box or run-time label, 1 captioned
// control, 3 combo box, 4 the window itself).
enum class ControlKind { TextBox = 0, Captioned = 1, Combo = 3, Window = 4 };

struct ControlText {
    std::string Caption;   // "&" access-key marks included
    std::string FontName = "MS Sans Serif";
    bool FontBold = false;
    bool FontItalic = false;
    double FontSize = 8.25; // points
    double Height = 0;      // twips
    double Width = 0;       // twips
    std::string ToolTipText;
};

} // namespace tavrelo
