#pragma once
// What the main window's layout knows when it places a page: the window's outer size
// W x H in twips, the width T given to the tab control and its height, and where the
// page's own origin lies in the tab control (its tabs sit above it), so that places
// given relative to the tab control can be put on the page.
#include <algorithm>

namespace tavrelo {

struct FormGeometry {
    double W = 0;
    double H = 0;
    double T = 0;          // W - 230
    double tabHeight = 0;  // H - 1000
    double pageLeft = 0;   // the page's origin in the tab control, twips
    double pageTop = 0;

    // A place relative to the tab control, as a place on the page.
    double left(double tabLeft) const { return std::max(0.0, tabLeft - pageLeft); }
    double top(double tabTop) const { return std::max(0.0, tabTop - pageTop); }
};

} // namespace tavrelo
