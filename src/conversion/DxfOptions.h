#pragma once
// The options of the DXF output, held as the DXF dialog's controls hold them (texts as
// typed, the colour as the palette index text), so they go back to [DXF Settings]
// exactly as they came.
#include "platform/Profile.h"

#include <array>
#include <string>
#include <vector>

namespace tavrelo {

enum DxfLabelRow { kLabelPointName = 0, kLabelElevation = 1, kLabelCode = 2 };

struct DxfLabelOptions {
    bool enabled = true;
    std::string layer;
    std::string textSize = "1";  // free text; its number is the text height
    std::string colourTag = "0"; // palette index 0..7 (red ... grey) as text
};

struct DxfOptions {
    DxfOptions();

    std::string pointLayer = "PT";
    std::array<DxfLabelOptions, 3> labels; // by DxfLabelRow: "PN", "EL", "CD"
    bool output3D = true;

    // DXF colour of a row: the palette index + 1, rounded; anything outside 1..8 is 7.
    int labelColour(int row) const;
    // Text height of a row. A size that is not a number gives 1, the dialog's own
    // default, so every label of the row keeps one readable height.
    double labelHeight(int row) const;
};

// The options stored in [DXF Settings]; a missing or empty key keeps its default.
// Tick and 3D keys are rounded to whole numbers; one too large to round keeps the default.
DxfOptions LoadDxfOptions(const Profile& settings);

// The fourteen keys as the window's OK writes them, in their order
// ("Dxf_Check_Code=1", "Dxf_Option3D=0", the texts as they stand).
std::vector<KeyedValue> DxfSettingsValues(const DxfOptions& options);

} // namespace tavrelo
