#pragma once
// The builders that turn the file chosen on the Send tab into upload lines: a
// coordinate list (comma- or blank-separated, its fields in the user's upload field
// order), a KOF file (its "05" coordinate records) or a code or point-name list (sent
// as it stands). The lines go to a sink, the temporary file that the line sender then
// sends line by line.
//
// Counts are 64-bit, so lists of any length can be sent. Blank lines of a list and
// blank KOF records are not sent: a list never sends a point "0" at the origin for an
// empty line. Every coordinate record keeps its five fields in place: an empty point
// is sent as "0", an empty coordinate as "0.000". A line that cannot go as its five
// fields is left out and counted by its reason (LeftOutReason), never sent with its
// fields shifted or with a blank or tab inside a value; so is a line cut short, as a
// transfer that ended early leaves the last one (CoordinateLineGate.h). In a blank-separated list a tab
// separates like a blank; elsewhere blanks and tabs around a field are trimmed. Lines
// are read one at a time and no longer than kLongestSendFileLine, so memory stays
// small whatever the file.
#include "conversion/CutShortRecords.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrelo {

class ByteSink;

// What the upload window's request word asks for.
enum class UploadKind { Comma, Space, CodeList, Kof };

struct UploadOptions {
    // The item shown in each of the five field-order combos: combo k names the role of
    // input field k + 1 (0 point, 1 northing, 2 easting, 3 elevation, 4 code; 5 and 6
    // name none).
    std::array<int, 5> fieldOrder{{0, 1, 2, 3, 4}};
    // Coordinate order "ENZ": the easting is sent before the northing.
    bool eastingFirst = false;
};

// The longest line a send file may have. The longest record of any send format is
// well under 100 characters; a longer line is no record, and the file is refused
// before it is read whole.
constexpr size_t kLongestSendFileLine = 512;

// Why a line of the input stops the upload: nothing is sent then.
enum class UploadRefusal {
    None,
    LineTooLong, // longer than kLongestSendFileLine
    ExtraFields, // a "," inside a name, a value or a code would start a field of its own
};

// Why a line of a coordinate list or KOF file is left out; the other lines are sent.
enum class LeftOutReason {
    NoNumber,      // a plane coordinate holds text that is no number (a heading line)
    BlankInValue,  // a value holds a blank or tab inside it ("100 .5"), which makes it none
    TooManyFields, // more than the five fields of a record (a value split by a blank)
    TabInName,     // a tab inside a point name or a code
    EmptyTabField, // blank-separated: an empty field between two tabs would move the rest
    Count
};

// The lines left out for one reason: how many, and the number (from 1) of the first.
struct LeftOutLines {
    int64_t count = 0;
    int64_t firstLine = 0;
};

struct UploadBuild {
    // Lines written to the sink; the sender sends them all.
    int64_t lines = 0;
    // The window's line counter, the maximum of its progress bar: for the coordinate
    // and KOF builders the lines written + 2, for a code list the lines read.
    int64_t LineCount = 0;
    // Coordinate lines left out, all reasons together and by reason; empty
    // coordinate fields are sent as 0.
    int64_t leftOut = 0;
    std::array<LeftOutLines, static_cast<size_t>(LeftOutReason::Count)> leftOutBy{};
    // Of them, the lines cut short (CoordinateLineGate.h): the last line of a file cut
    // off inside it, and lines an append marked.
    CutShortCount cutShort;
    // The first line of the input that stops the upload: its number (from 1) and text.
    UploadRefusal refusal = UploadRefusal::None;
    int64_t refusedLine = 0;
    std::string refusedText;
    // 0, or the failure number of the input (53 missing, ...) or of the sink.
    int error = 0;

    bool ok() const { return error == 0 && refusal == UploadRefusal::None; }
    bool hasLines() const { return ok() && lines > 0; }
};

// What the user is told when the build cannot be sent: a failure, a refused line, or
// no line to send at all; "" when it can be sent.
std::string UploadBuildProblem(const UploadBuild& build, const std::string& inputPath);

// What the user is told of the lines left out, a sentence for each reason (lines cut
// short as every reader of survey data tells them, CutShortText), or "".
std::string UploadLeftOutText(const UploadBuild& build);

// Builds by kind from the file at inputPath into out.
UploadBuild BuildUploadFile(UploadKind kind, const std::string& inputPath, ByteSink& out,
                            const UploadOptions& options);
// The same build with its lines dropped: what the upload would send, before the port
// is opened.
UploadBuild TryUploadFile(UploadKind kind, const std::string& inputPath, const UploadOptions& options);

UploadBuild CreateUpLoadFileComma(const std::string& inputPath, ByteSink& out, const UploadOptions& options);
UploadBuild CreateUpLoadFileSpace(const std::string& inputPath, ByteSink& out, const UploadOptions& options);
UploadBuild CreateUpLoadFileKOF(const std::string& inputPath, ByteSink& out, const UploadOptions& options);
// Every non-blank line copied unchanged; a list of one or two lines is sent too.
UploadBuild CreatUpLoadCodeFile(const std::string& inputPath, ByteSink& out);

// The kind a request word selects ("Comma", "Space", "UpLoadZVK", "UpLoadKOF");
// false for any other word.
bool UploadKindOfRequest(const std::string& word, UploadKind& kind);

} // namespace tavrelo
