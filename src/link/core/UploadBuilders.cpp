#include "link/core/UploadBuilders.h"

#include "conversion/LineSplitting.h"
#include "link/core/UploadLine.h"
#include "platform/ByteSink.h"
#include "platform/LineReader.h"

#include <string_view>

namespace tavrelo {

namespace {

// The five roles of a coordinate record, in the order of the field-order items.
enum Role { Point, Northing, Easting, Elevation, Code, RoleCount };

// The count the window shows: the two extra counts of the coordinate builders.
constexpr int64_t kCoordinateCountExtra = 2;

// Role r takes input field k + 1 where combo k shows item r; when two combos name the
// same role, the later one wins. Items past "Code" fill nothing.
void fillRoles(const Fields& fields, const UploadOptions& options, std::array<std::string, RoleCount>& roles)
{
    for (std::string& role : roles)
        role.clear();
    for (int k = 0; k < 5; ++k) {
        const int item = options.fieldOrder[k];
        if (item >= 0 && item < RoleCount)
            roles[item] = fields[k + 1];
    }
}

void putCoordinateRecord(ByteSink& out, std::array<std::string, RoleCount>& roles, bool eastingFirst)
{
    if (eastingFirst)
        SwapString(roles[Northing], roles[Easting]);
    for (int r : {Northing, Easting, Elevation})
        if (roles[r].empty())
            roles[r] = "0.000";
    if (roles[Point].empty())
        roles[Point] = "0";
    PutUpLoadLine(out, "G", roles[Point], roles[Northing], roles[Easting], roles[Elevation], roles[Code]);
}

// Runs eachLine over the input's lines; the failure number of the input or the sink.
template <typename EachLine>
int readLines(const std::string& inputPath, ByteSink& out, EachLine eachLine)
{
    LineReader reader;
    if (!reader.open(inputPath))
        return reader.error();
    std::string line;
    while (reader.next(line) && !out.failed())
        eachLine(line);
    return reader.error() != 0 ? reader.error() : out.error();
}

using Splitter = int (*)(std::string&, Fields&);

UploadBuild buildCoordinateList(const std::string& inputPath, ByteSink& out, const UploadOptions& options,
                                Splitter split)
{
    UploadBuild build;
    Fields fields;
    std::array<std::string, RoleCount> roles;
    build.error = readLines(inputPath, out, [&](std::string& line) {
        if (split(line, fields) == 0)
            return;
        fillRoles(fields, options, roles);
        putCoordinateRecord(out, roles, options.eastingFirst);
        ++build.lines;
    });
    build.LineCount = build.lines + kCoordinateCountExtra;
    return build;
}

// Characters first..last (1-based) of a fixed-column line; "" past its end.
std::string columns(std::string_view line, size_t first, size_t last)
{
    if (line.size() < first)
        return {};
    return std::string(line.substr(first - 1, last - first + 1));
}

} // namespace

UploadBuild CreateUpLoadFileComma(const std::string& inputPath, ByteSink& out, const UploadOptions& options)
{
    return buildCoordinateList(inputPath, out, options, &SplitComma);
}

UploadBuild CreateUpLoadFileSpace(const std::string& inputPath, ByteSink& out, const UploadOptions& options)
{
    return buildCoordinateList(inputPath, out, options, &SplitSpace);
}

UploadBuild CreateUpLoadFileKOF(const std::string& inputPath, ByteSink& out, const UploadOptions& options)
{
    UploadBuild build;
    build.error = readLines(inputPath, out, [&](const std::string& line) {
        if (columns(line, 2, 3) != "05")
            return;
        const std::string point = columns(line, 5, 14);
        const std::string code = columns(line, 16, 23);
        const std::string a = columns(line, 25, 36);
        const std::string b = columns(line, 38, 48);
        const std::string elevation = columns(line, 50, 57);
        if (options.eastingFirst)
            PutUpLoadLine(out, "G", point, a, b, elevation, code);
        else
            PutUpLoadLine(out, "G", point, b, a, elevation, code);
        ++build.lines;
    });
    build.LineCount = build.lines + kCoordinateCountExtra;
    return build;
}

UploadBuild CreatUpLoadCodeFile(const std::string& inputPath, ByteSink& out)
{
    UploadBuild build;
    build.error = readLines(inputPath, out, [&](const std::string& line) {
        out.writeLine(line);
        ++build.LineCount;
        if (!TrimBlanks(line).empty())
            ++build.lines;
    });
    return build;
}

UploadBuild BuildUploadFile(UploadKind kind, const std::string& inputPath, ByteSink& out,
                            const UploadOptions& options)
{
    switch (kind) {
    case UploadKind::Comma: return CreateUpLoadFileComma(inputPath, out, options);
    case UploadKind::Space: return CreateUpLoadFileSpace(inputPath, out, options);
    case UploadKind::Kof: return CreateUpLoadFileKOF(inputPath, out, options);
    case UploadKind::CodeList: break;
    }
    return CreatUpLoadCodeFile(inputPath, out);
}

bool UploadKindOfRequest(const std::string& word, UploadKind& kind)
{
    static const struct {
        const char* word;
        UploadKind kind;
    } kRequests[] = {
        {"Comma", UploadKind::Comma},
        {"Space", UploadKind::Space},
        {"UpLoadZVK", UploadKind::CodeList},
        {"UpLoadKOF", UploadKind::Kof},
    };
    for (const auto& request : kRequests)
        if (word == request.word) {
            kind = request.kind;
            return true;
        }
    return false;
}

} // namespace tavrelo
