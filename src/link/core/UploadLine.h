#pragma once
// One coordinate record as the instrument takes it on upload: point, the two plane
// coordinates, elevation and code, comma-separated, ended by CR LF
// ("P12,1000.000,2000.000,50.000,TREE"). The instrument keeps 12 characters of a
// point name or a code, so longer ones are cut here rather than by the instrument.
#include <string>
#include <string_view>

namespace tavrelo {

class ByteSink;

// A coordinate as the instrument gets it: blanks and tabs trimmed, then the first ","
// a "." (a decimal comma). The builders judge a coordinate by the number rule in this
// form, so what is judged is what is sent.
std::string UploadCoordinate(std::string_view value);

// The upload line without its line end. Each name or code is trimmed of blanks and
// tabs (again after its cut, so that no blank ends it), each coordinate is its UploadCoordinate; an empty
// value adds no field separator, so an empty code leaves the line ending in ",".
std::string UploadLine(const std::string& point, const std::string& first, const std::string& second,
                       const std::string& elevation, const std::string& code);

// Writes UploadLine to the sink, ended by CR LF. A record marked "Z" is not written.
void PutUpLoadLine(ByteSink& out, const std::string& cod1, const std::string& point, const std::string& first,
                   const std::string& second, const std::string& elevation, const std::string& code);

// How many characters of a point name or code the instrument keeps.
constexpr size_t kUploadNameLength = 12;
// The fields of an upload line: point, two plane coordinates, elevation, code.
constexpr int kUploadFieldCount = 5;

} // namespace tavrelo
