#pragma once
// The control-point file of a coordinate calculation: one known point a line, in the
// field layout of the output (position p holds the quantity its list chooses, as
// CoordinateFieldOptions sets it), split at the output separator.
#include "conversion/ConversionContext.h"
#include "conversion/CoordinateFieldOptions.h"
#include "map/core/MapTables.h"

#include <string>
#include <vector>

namespace tavrelo {

// The known points of file, each a station of the map tables with its code; a line
// without a name or two coordinates is passed over, and so is a name met before. A
// line cut short (CoordinateLineGate.h) is no known point: a station there would put
// the whole survey in the wrong place; it is left out and counted in cutShort.
// False after one report (ReportConverterFailure; withTarget as ReportInputFailure has
// it) when the file cannot be read or holds no point: without its control points a
// survey would come out on a datum of its own, a free survey from 0, 0, 0, while the
// user asked for the file's.
bool ReadControlPoints(ConversionContext& context, const std::string& file, const CoordinateFieldOptions& fields,
                       bool withTarget, std::vector<MapStation>& points, CutShortCount& cutShort);

// What the warning after a calculation says of the control-point file's lines cut
// short; "" when there were none.
std::string ControlPointsCutShortText(const std::string& file, const CutShortCount& cutShort);

} // namespace tavrelo
