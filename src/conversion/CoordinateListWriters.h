#pragma once
// The coordinate list writers: a coordinate file, or the coordinate
// records of a raw data file, rewritten as a list in the user's field order
// ([Coordinate Settings], F_UsDeCo). Texts are copied as read; nothing is computed.
#include "conversion/ConversionContext.h"
#include "conversion/RawRecordCodes.h"

#include <string>

namespace tavrelo {

// Coordinate file -> user coordinate list. The separator is the field-order store's
// (comma unless it says blank); the coordinate order (context.coordinateOrder 1 =
// "ENZ") says which of fields 2 and 3 is the northing. A line cut short is left out
// and told (CoordinateLineGate.h).
void ConvertCoorToUserCoor(ConversionContext& context, const std::string& input, const std::string& output);
// The same with the separator given ("," or " ").
void ConvertCoorToUserCoor(ConversionContext& context, const std::string& input, const std::string& output,
                           const std::string& separator);

// The MP, UP, CC and RE records of a raw data file -> user coordinate list, separated
// by "," and by " ". A "CO,Coord Order:" line reading "ENZ" exchanges fields 4 and 5
// for the rest of the file.
//
// Appending to a list whose last point was cut off without its line end, all three
// mark it cut short first (CutLineMarkFor), so that no reader takes it for a whole one.
constexpr RawKinds kRawCoordinateListRecords = {RawKind::Coordinates};
void ConvertRawToCoorComma(ConversionContext& context, const std::string& input, const std::string& output);
void ConvertRawToCoorSpace(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
