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
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordGate.h"
#include "platform/ByteSink.h"

#include <string>

namespace tavrelo {

constexpr size_t kBinaryRecordSize = 24;

// The records it reads: stations and side shots.
constexpr RawKinds kBinaryRecords = {RawKind::Station, RawKind::SideShot};

class BinaryRecordWriter {
public:
    // The records of the file that in, opened, reads (a gate of kBinaryRecords).
    void write(RawRecordGate& in, ByteSink& out);

private:
    void station(ByteSink& out);
    void sideShot(ByteSink& out);

    Fields m_fields;
    bool m_backsightPending = false;
    std::string m_backsightName;
    std::string m_backsight; // the pending backsight record
};

// Writes the records by the append/overwrite answer (OutputFileMode): 1 adds them to
// an old target, starting at its next multiple of 24 bytes; otherwise they replace it.
void ConvertRawToRecordFile(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
