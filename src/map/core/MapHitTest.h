#pragma once
// The point under the mouse. x and y are picture pixels; the tolerance is 5 pixels
// of MetresPerPixelX on both axes, strictly less. Each returns the table index of
// the first hit in its order, or 0.
#include <cstdint>

namespace tavrelo {

class MapTables;
class MapFrame;

// Observed points and coordinate-list points: only the points the last redraw drew
// (VisibleIndex), first in that order, so a hidden layer is never picked. With a
// frame built for the current view the search looks in its grid; the answer is
// the same as the plain walk of VisibleIndex (frame null).
int32_t FindObsPointAt(const MapTables& tables, const MapFrame* frame, double x, double y);
int32_t FindCooPointAt(const MapTables& tables, const MapFrame* frame, double x, double y);

// Stations and known points in table order, while layer 0 and the entry's own layer
// are shown (as they are drawn).
int32_t FindStationAt(const MapTables& tables, double x, double y);

} // namespace tavrelo
