#pragma once
// Test data for the benchmark: raw data files and coordinate files of N records,
// the same for the same N on every machine (own generator, fixed seed).
#include <cstdint>
#include <string>

namespace tavrelo::bench {

// A raw data file of exactly records non-comment records: two known points (UP), then
// a traverse whose stations each have a station record, a face-one reading to the
// backsight, side shots and a shot to the next station.
bool GenerateRawFile(int64_t records, const std::string& path);

// A coordinate file of points lines: name, northing, easting, elevation, code.
bool GenerateCoordinateFile(int64_t points, const std::string& path);

} // namespace tavrelo::bench
