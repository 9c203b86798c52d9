#pragma once
// The one way a raw-data reader gets the records of a raw data file. It names the kinds
// of record it takes values from; the gate hands it every line, and with a line the
// record to read only when the line holds a whole record of one of those kinds. A
// record cut short, and an observation after a station record cut short, are left out
// and counted (CutShortRecords.h), so that every reader leaves out the same records
// and tells them in the same warning.
#include "conversion/CutShortRecords.h"
#include "conversion/RawRecordCodes.h"
#include "platform/LineReader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrelo {

// One line of a raw data file as the gate hands it on.
struct RawLine {
    std::string_view text;                 // without its line end, untrimmed
    int64_t number = 0;                    // from 1
    const RawRecordCode* record = nullptr; // the record to read; nullptr for any other line
};

// What a line holds for a reader that reads the kinds given: the row of its record
// code (nullptr for blank lines and other text), whether the reader reads that kind,
// and whether such a record is cut short.
struct RawLineRecord {
    const RawRecordCode* row = nullptr;
    bool read = false;
    bool cutShort = false;
    bool marked = false; // a comment marked cut short: row is the record it holds
};
RawLineRecord RecordOfLine(std::string_view line, bool lastLineUnended, RawKinds reads);

// A reader's pass over a raw file, line by line.
class RawRecordGate {
public:
    explicit RawRecordGate(RawKinds reads) : m_reads(reads) {}

    // Opens path for a new pass, its count started afresh; false with reader().error().
    bool open(const std::string& path);
    // The next line; false at the end of the file or on a failure (reader().error()).
    bool next(RawLine& line);
    // The records left out so far.
    const CutShortCount& cutShort() const { return m_records.count(); }
    // The file's reader, for the converters' file checks and failure reports.
    LineReader& reader() { return m_reader; }

private:
    RawKinds m_reads;
    LineReader m_reader;
    CutShortRecords m_records;
};

// The lines of one piece of a block of whole lines (LineReader::nextBlock, cut into
// pieces by CutAtLineEnds), for a reader whose threads read a piece each: each line
// with what it holds. The reader hands the records on in file order to one
// CutShortRecords, which decides which it reads and counts those it leaves out.
struct RawPieceLine {
    std::string_view text;
    int64_t number = 0;           // within the piece, from 1
    bool lastLineUnended = false; // the file's last line, unended
    RawLineRecord record;
};

class RawPieceLines {
public:
    // lastLineUnended: the block ends with the file's last line, unended.
    RawPieceLines(std::string_view piece, bool lastLineUnended, RawKinds reads);
    // false at the end of the piece.
    bool next(RawPieceLine& line);
    // The lines handed out so far.
    int64_t lines() const { return m_lines; }

private:
    std::string_view m_rest;
    bool m_lastLineUnended;
    RawKinds m_reads;
    int64_t m_lines = 0;
};

} // namespace tavrelo
