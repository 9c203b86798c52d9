#pragma once
// Where a point's texts stand beside it. A point has up to three texts (name,
// elevation with two decimals, code), laid out in one of three ways: one text
// centred on the point's row, two rows with a rule under the upper one, or the name
// to the left of the point. Positions are the texts' top-left corners in pixels.
#include "map/core/MapView.h"

#include <functional>
#include <string>
#include <string_view>

namespace tavrelo {

struct LabelText {
    std::string text;
    double x = 0.0;
    double y = 0.0;
};

struct LabelBlock {
    LabelText texts[3];
    int count = 0;
    bool rule = false; // a line from (ruleX0, ruleY) to (ruleX1, ruleY)
    int32_t ruleX0 = 0, ruleX1 = 0, ruleY = 0;
};

struct LabelSwitches {
    bool name = false;
    bool elevation = false;
    bool code = false;
};

// The width of a text in pixels, as the window's font gives it.
using TextWidth = std::function<double(std::string_view)>;

// The block for a point at pixel p; h2 is half the height of a line of text.
// listPoint: a coordinate-list point, which keeps two rows (code over elevation)
// also for an empty code when only elevation and code are on.
LabelBlock LayoutLabel(const LabelSwitches& on, bool listPoint, std::string_view name, double elevation,
                       std::string_view code, Pixel p, double h2, const TextWidth& width);

} // namespace tavrelo
