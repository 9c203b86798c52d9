#include "link/core/UploadBuilders.h"

#include "conversion/ConverterReport.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/LineSplitting.h"
#include "link/core/UploadLine.h"
#include "platform/ByteSink.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <iterator>
#include <optional>
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

// How much of a refused line the message shows.
constexpr size_t kShownRefusedText = 80;

void refuse(UploadBuild& build, UploadRefusal refusal, int64_t lineNumber, std::string_view line)
{
    build.refusal = refusal;
    build.refusedLine = lineNumber;
    build.refusedText = std::string(line.substr(0, kShownRefusedText));
}

void leaveOut(UploadBuild& build, LeftOutReason reason, int64_t lineNumber)
{
    LeftOutLines& lines = build.leftOutBy[static_cast<size_t>(reason)];
    if (lines.count++ == 0)
        lines.firstLine = lineNumber;
    ++build.leftOut;
}

// A value that the number rule reads only across a blank or tab inside it ("100 .5",
// "5 C"): the instrument would get the blank, so it is no number for the upload.
bool numberWithGap(std::string_view sent)
{
    return sent.find_first_of(" \t") != std::string_view::npos && HoldsNumber(sent);
}

bool holdsTab(std::string_view text)
{
    return TrimBlanksAndTabs(text).find('\t') != std::string_view::npos;
}

// The record's coordinates as the instrument would get them, to judge them by.
using SentCoordinates = std::array<std::string, RoleCount>;

// Why the record cannot go, judged on its values as they would be sent; nothing when
// it can.
std::optional<LeftOutReason> leftOutReason(const std::array<std::string, RoleCount>& roles,
                                           const SentCoordinates& sent)
{
    for (int r : {Northing, Easting}) {
        if (numberWithGap(sent[r]))
            return LeftOutReason::BlankInValue;
        if (!IsCoordinateField(sent[r]))
            return LeftOutReason::NoNumber;
    }
    // An elevation without any number is a code in its place and goes as 0.000; one
    // with a number split by a blank would go as a wrong height.
    if (numberWithGap(sent[Elevation]))
        return LeftOutReason::BlankInValue;
    if (holdsTab(roles[Point]) || holdsTab(roles[Code]))
        return LeftOutReason::TabInName;
    return std::nullopt;
}

// The record with every field in its place; a line that cannot go as it stands is
// left out, one whose values would add a field is refused.
void putCoordinateRecord(ByteSink& out, std::array<std::string, RoleCount>& roles, bool eastingFirst,
                         UploadBuild& build, int64_t lineNumber, std::string_view input)
{
    SentCoordinates sent;
    for (int r : {Northing, Easting, Elevation})
        sent[r] = UploadCoordinate(roles[r]);
    if (const auto reason = leftOutReason(roles, sent)) {
        leaveOut(build, *reason, lineNumber);
        return;
    }
    if (eastingFirst) {
        SwapString(roles[Northing], roles[Easting]);
        SwapString(sent[Northing], sent[Easting]);
    }
    // An elevation without a number (a code in its place) goes as an empty one.
    if (!HoldsNumber(sent[Elevation]))
        sent[Elevation].clear();
    for (int r : {Northing, Easting, Elevation})
        if (sent[r].empty())
            roles[r] = "0.000";
    if (TrimBlanksAndTabs(roles[Point]).empty())
        roles[Point] = "0";
    const std::string line = UploadLine(roles[Point], roles[Northing], roles[Easting], roles[Elevation], roles[Code]);
    if (std::count(line.begin(), line.end(), ',') != kUploadFieldCount - 1) {
        refuse(build, UploadRefusal::ExtraFields, lineNumber, input);
        return;
    }
    out.writeLine(line);
    ++build.lines;
}

// Runs eachLine(line, number) over the input's lines until a line is refused, and
// refuses one longer than any record; the failure number of the input or the sink.
// The lines of a coordinate list or KOF file (coordinates) come through its gate: a
// line cut short is left out and counted.
template <typename EachLine>
void readLines(const std::string& inputPath, ByteSink& out, UploadBuild& build,
               std::optional<CoordinateFile> coordinates, EachLine eachLine)
{
    CoordinateLineGate gate(coordinates.value_or(CoordinateFile::List));
    LineReader& reader = gate.reader();
    reader.setLineLimit(kLongestSendFileLine);
    if (!gate.open(inputPath)) {
        build.error = reader.error();
        return;
    }
    std::string line;
    while (build.ok() && !out.failed() && (coordinates ? gate.next(line) : reader.next(line)))
        eachLine(line, reader.linesRead());
    build.cutShort = gate.cutShort();
    build.leftOut += build.cutShort.records + build.cutShort.marked;
    if (reader.error() == RunError::LineTooLong)
        refuse(build, UploadRefusal::LineTooLong, reader.failedLine(), {});
    else
        build.error = reader.error() != 0 ? reader.error() : out.error();
}

using Splitter = int (*)(std::string&, Fields&);

// A blank-separated list exported with tabs: a tab separates like a blank.
int splitAtBlanksAndTabs(std::string& line, Fields& fields)
{
    std::replace(line.begin(), line.end(), '\t', ' ');
    return SplitSpace(line, fields);
}

// Whether a tab-separated line holds an empty field before its last value (two tabs
// with at most blanks between them, or a tab first): split like blanks, the fields
// after it would move up one.
bool emptyFieldBetweenTabs(std::string_view line)
{
    // Blanks before the first field are no field; tabs after the last end empty columns.
    const std::string_view text = TrimBlanks(line);
    const size_t end = text.find_last_not_of(" \t");
    if (end == std::string_view::npos)
        return false;
    const std::string_view used = text.substr(0, end + 1);
    if (used.front() == '\t')
        return true;
    // Every tab has a character other than a blank after it: the last one of used.
    for (size_t tab = used.find('\t'); tab != std::string_view::npos; tab = used.find('\t', tab + 1))
        if (used[used.find_first_not_of(' ', tab + 1)] == '\t')
            return true;
    return false;
}

// The fields up to the last one that holds anything: empty columns at the end of a
// spreadsheet's line shift nothing.
int filledFields(const Fields& fields)
{
    int count = fields.count();
    while (count > 0 && TrimBlanksAndTabs(fields[count]).empty())
        --count;
    return count;
}

// A list's way of cutting its lines: blank-separated lists take a tab as a blank.
struct ListSeparation {
    Splitter split;
    bool tabsSeparate;
};

UploadBuild buildCoordinateList(const std::string& inputPath, ByteSink& out, const UploadOptions& options,
                                ListSeparation separation)
{
    UploadBuild build;
    Fields fields;
    std::array<std::string, RoleCount> roles;
    std::string input;
    readLines(inputPath, out, build, CoordinateFile::List, [&](std::string& line, int64_t number) {
        if (TrimBlanksAndTabs(line).empty())
            return;
        if (separation.tabsSeparate && emptyFieldBetweenTabs(line)) {
            leaveOut(build, LeftOutReason::EmptyTabField, number);
            return;
        }
        input = line; // the split takes the line apart
        separation.split(line, fields);
        if (filledFields(fields) > kUploadFieldCount) {
            leaveOut(build, LeftOutReason::TooManyFields, number);
            return;
        }
        fillRoles(fields, options, roles);
        putCoordinateRecord(out, roles, options.eastingFirst, build, number, input);
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
    return buildCoordinateList(inputPath, out, options, {&SplitComma, false});
}

UploadBuild CreateUpLoadFileSpace(const std::string& inputPath, ByteSink& out, const UploadOptions& options)
{
    return buildCoordinateList(inputPath, out, options, {&splitAtBlanksAndTabs, true});
}

UploadBuild CreateUpLoadFileKOF(const std::string& inputPath, ByteSink& out, const UploadOptions& options)
{
    UploadBuild build;
    std::array<std::string, RoleCount> roles;
    readLines(inputPath, out, build, CoordinateFile::Kof, [&](const std::string& line, int64_t number) {
        if (columns(line, 2, 3) != "05")
            return;
        // Column A (25-36) is sent first under "ENZ", column B (38-48) under "NEZ".
        roles[Point] = columns(line, 5, 14);
        roles[Code] = columns(line, 16, 23);
        roles[Easting] = columns(line, 25, 36);
        roles[Northing] = columns(line, 38, 48);
        roles[Elevation] = columns(line, 50, 57);
        const bool blank = std::all_of(roles.begin(), roles.begin() + Code,
                                       [](const std::string& text) { return TrimBlanksAndTabs(text).empty(); });
        if (!blank)
            putCoordinateRecord(out, roles, options.eastingFirst, build, number, line);
    });
    build.LineCount = build.lines + kCoordinateCountExtra;
    return build;
}

UploadBuild CreatUpLoadCodeFile(const std::string& inputPath, ByteSink& out)
{
    UploadBuild build;
    readLines(inputPath, out, build, std::nullopt, [&](const std::string& line, int64_t) {
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

std::string UploadBuildProblem(const UploadBuild& build, const std::string& inputPath)
{
    if (build.error != 0)
        return RunErrorDescription(build.error) + ": " + inputPath;
    const std::string line = "Line " + std::to_string(build.refusedLine) + " of " + inputPath;
    switch (build.refusal) {
    case UploadRefusal::LineTooLong:
        return line + " is longer than the instrument can take (more than " + std::to_string(kLongestSendFileLine)
               + " characters).\r\nNothing was sent.";
    case UploadRefusal::ExtraFields:
        return line + " gives more fields than the instrument takes: a \",\" inside a point name, a value or a code"
               " starts a field of its own.\r\n" + build.refusedText + "\r\nNothing was sent.";
    case UploadRefusal::None: break;
    }
    if (build.lines > 0)
        return {};
    std::string text = "Nothing to send: " + inputPath + " holds no line for the instrument.";
    if (build.leftOut > 0)
        text += "\r\n" + UploadLeftOutText(build);
    return text;
}

std::string UploadLeftOutText(const UploadBuild& build)
{
    // By reason; a heading line is told as every reader of a coordinate list tells it.
    static const char* const kBecause[] = {
        nullptr,
        "a coordinate holds a blank or a tab inside it (such as \"100 ,5\"), which makes it no number",
        "they hold more than the five fields of a point (a value or a code split by a blank, for example)",
        "a point name or a code holds a tab",
        "an empty field stands between two tabs (or before the first), and the fields after it would move",
    };
    static_assert(std::size(kBecause) == static_cast<size_t>(LeftOutReason::Count));
    std::string text;
    for (size_t reason = 0; reason < std::size(kBecause); ++reason) {
        const LeftOutLines& lines = build.leftOutBy[reason];
        if (lines.count == 0)
            continue;
        if (!text.empty())
            text += "\r\n";
        if (kBecause[reason] == nullptr)
            text += LeftOutLinesText(lines.count);
        else
            text += std::to_string(lines.count) + " line(s) were left out because " + kBecause[reason]
                    + "; the first is line " + std::to_string(lines.firstLine) + ".";
    }
    // Lines cut short, in the words every reader of survey data uses.
    if (build.cutShort.any())
        text += (text.empty() ? "" : "\r\n") + CutShortText(build.cutShort);
    return text;
}

UploadBuild TryUploadFile(UploadKind kind, const std::string& inputPath, const UploadOptions& options)
{
    class Dropped : public ByteSink {
        int put(const char*, size_t) override { return 0; }
    } dropped;
    return BuildUploadFile(kind, inputPath, dropped, options);
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
