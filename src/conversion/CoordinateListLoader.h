#pragma once
// LoadCoordinateList: a comma-separated coordinate list (name, two plane coordinates
// in the order of the coordinate-order setting, elevation, code) read into the map
// tables for the map.
//
// A load replaces what the map showed: afterwards the tables hold the list's points
// only, also for a one-point list. A line without its two plane coordinates, or whose
// plane coordinates hold no number (a heading line), is passed over; a line that ends
// after them, or whose elevation is text, is a point at elevation 0. A line cut short
// (CoordinateLineGate.h) is no point: it is left out and counted. A file that cannot
// be read, or holds no point, changes nothing: the tables and the view stay as they were.
#include "conversion/CutShortRecords.h"

#include <string>

namespace tavrelo {

class MapTables;

enum class ListLoad { Loaded, NoData, Unreadable };

// coordinateOrder 0: northing then easting ("NEZ"), 1: easting then northing.
// On Unreadable, runError holds the failure number (53 file not found, ...) and
// failureText, when given, what the reader says of it (LineReader::errorText: a file
// with a line longer than any list has is refused after its first bytes). cutShort,
// when given, receives the lines left out as cut short, to be told whatever the outcome.
ListLoad LoadCoordinateList(MapTables& tables, const std::string& file, int coordinateOrder, int& runError,
                            std::string* failureText = nullptr, CutShortCount* cutShort = nullptr);

} // namespace tavrelo
