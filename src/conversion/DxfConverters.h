#pragma once
// Point data to a DXF drawing (see DxfDrawing.h). Both read their input twice: once
// for the extents the header carries, once for the entities. Options come from
// context.dxf (null: the defaults).
//
// A drawing cannot be appended to: with Append chosen for an existing target nothing
// is written, the user is told why and TransferStatus stays "E".
#include "conversion/ConversionContext.h"
#include "conversion/RawRecordCodes.h"

#include <string>

namespace tavrelo {

// A coordinate file (point, plane 1, plane 2, elevation, code; comma-separated) in the
// coordinate order of context.coordinateOrder (0 N-E-Z, 1 E-N-Z). A line cut short is
// no point (CoordinateLineGate.h).
void ConvertCoorToDXF(ConversionContext& context, const std::string& input, const std::string& output);

// The coordinate records (MP, UP, CC, RE) of a raw-data file, in the order its
// "CO,Coord Order:" line names.
constexpr RawKinds kRawDxfRecords = {RawKind::Coordinates};
void ConvertRawToDXF(ConversionContext& context, const std::string& input, const std::string& output);

// True when a drawing may not be written to output with OutputFileMode outputFileMode:
// Append chosen for a file that exists.
bool DxfRefusesTarget(int outputFileMode, const std::string& output);

// When DxfRefusesTarget: tells the user why (the error box the converters show) and
// returns true; writes nothing either way.
bool RefuseDxfAppend(ConversionContext& context, const std::string& output);

} // namespace tavrelo
