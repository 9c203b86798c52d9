#pragma once
// The one way a reader of a coordinate list or of a KOF file gets its lines, so that
// none of them takes a line cut short for a whole point.
//
// A transfer that ends inside a line (a cable pulled, a hang-up) leaves the file's last
// line without its line end: "P7,6500100.5,6002" for "P7,6500100.500,600210.000,12.3,TREE"
// reads as a whole point 594 km west of where it lies. The rule of raw data holds here
// too (CutShortRecords.h): a file whose lines end in line ends but whose last line has
// none was cut off there, and that line is left out whatever it holds, since the
// reader cannot know where it was cut (inside the code as well as inside a
// coordinate); a file without any line end is one whole line, read as ever.
//
// Appended to, such a line would get a line end and read as whole for ever after: the
// append writes a mark before it that keeps every byte of it and that every reader
// here leaves out and counts. In a coordinate list the mark is the one of raw data,
// "CO,Cut short: ": its second field is text, so no reader of a coordinate list, of
// this program or another, takes the line for a point. In a KOF file it is a KOF
// comment, " 00 Cut short: ".
#include "conversion/CutShortRecords.h"
#include "conversion/OutputTarget.h"
#include "platform/LineReader.h"

#include <string>
#include <string_view>

namespace tavrelo {

struct ConversionContext;

// What the lines of a file are: a coordinate list (a point a line, comma- or
// blank-separated) or a KOF file (its " 05" lines are the points).
enum class CoordinateFile { List, Kof };

constexpr std::string_view kKofCutShortMark = " 00 Cut short: ";

// Whether line is one that an append marked cut short.
bool IsMarkedCutShort(CoordinateFile kind, std::string_view line);

// The mark an append writes before the old last line without a line end: for a
// point's line (any line of a list that holds more than blanks, a KOF " 05" line) in
// a file whose lines before it end; "" for anything else (a KOF comment, the one line
// of a file, a line marked already).
std::string CutLineMark(CoordinateFile kind, const UnendedLastLine& line);
// That mark as an OutputTarget asks for it.
OutputTarget::UnendedLineMark CutLineMarkFor(CoordinateFile kind);

// What the user is told of a last line that an append marked; "" when none was.
std::string MarkedLastLineText(const UnendedLastLine& line, const std::string& target);
// That text in an information box, after the target was written.
void TellMarkedLastLine(ConversionContext& context, const OutputTarget& target);

// A reader's pass over a coordinate list or KOF file, line by line.
class CoordinateLineGate {
public:
    explicit CoordinateLineGate(CoordinateFile kind = CoordinateFile::List) : m_kind(kind) {}

    // Opens path for a new pass, its count started afresh; false with error().
    bool open(const std::string& path);
    // The next line to read, without its line end; a line marked cut short and the
    // last line of a file cut off inside it are left out and counted. False at the
    // end of the file or on a failure.
    bool next(std::string& line);
    // The lines left out so far, told as raw records cut short are (CutShortText).
    const CutShortCount& cutShort() const { return m_cutShort; }
    int error() const { return m_reader.error(); }
    // The file's reader, for the converters' file checks and failure reports.
    LineReader& reader() { return m_reader; }

private:
    CoordinateFile m_kind;
    LineReader m_reader;
    CutShortCount m_cutShort;
};

} // namespace tavrelo
