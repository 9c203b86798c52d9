#pragma once
// The station and side-shot records of a raw-data file as 24-byte binary records:
// texts left-aligned and padded with blanks, numbers IEEE single precision,
// little-endian. A station record ends in the bytes 0x91 0x92.
//
//   station:     name 8 | code 10 | instrument height 4 | 0x91 0x92
//   observation: name 8 | slope distance 4 | horizontal angle 4 | zenith angle 4 | target height 4
//
// A station with a backsight adds an observation record of the backsight (distance and
// target height 0, the angles of ST fields 7 and 8) before its first side shot, unless
// that shot is to the backsight point itself.
#include "conversion/ConversionContext.h"
#include "conversion/CutShortRecords.h"
#include "conversion/LineSplitting.h"
#include "platform/ByteSink.h"
#include "platform/LineReader.h"

#include <string>

namespace tavrelo {

constexpr size_t kBinaryRecordSize = 24;

class BinaryRecordWriter {
public:
    // The records of one line, line lineNumber of the file (withoutLineEnd: its last,
    // unended, LineReader::lastLineUnended); a record cut short gives none.
    void writeLine(ByteSink& out, std::string& line, int64_t lineNumber, bool withoutLineEnd = false);
    void write(LineReader& in, ByteSink& out);
    // The records left out because they were cut short.
    const CutShortCount& cutShort() const { return m_records.count(); }

private:
    void station(ByteSink& out);
    void sideShot(ByteSink& out);

    Fields m_fields;
    CutShortRecords m_records;
    bool m_backsightPending = false;
    std::string m_backsightName;
    std::string m_backsight; // the pending backsight record
};

// Writes the records by the append/overwrite answer (OutputFileMode): 1 adds them to
// an old target, starting at its next multiple of 24 bytes; otherwise they replace it.
void ConvertRawToRecordFile(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
