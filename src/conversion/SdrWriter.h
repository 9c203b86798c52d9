#pragma once
// SDR-33 text from a coordinate file: six header records (format and units, job,
// instrument, three notes), then one coordinate record per point. Records are fixed
// columns, trimmed, one per line.
#include "conversion/ConversionContext.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/LineSplitting.h"
#include "conversion/SdrOptions.h"
#include "platform/ByteSink.h"

#include <ctime>
#include <string>

namespace tavrelo {

class SdrWriter {
public:
    // coordinateOrder 0: the input is N-E-Z, 1: E-N-Z; now is the time the header carries.
    SdrWriter(const SdrOptions& options, int coordinateOrder, const std::string& outputPath, std::time_t now);

    void writeHeader(ByteSink& out) const;
    // One record for a line of at least four comma-separated fields whose coordinates
    // hold numbers or nothing; nothing otherwise (counted in leftOut when they hold text).
    bool writePoint(ByteSink& out, std::string& line);
    // The header and a record per point of the lines in hands out (a line cut short
    // is none); returns the number of points written.
    int64_t write(CoordinateLineGate& in, ByteSink& out);
    // The lines of the last write whose coordinates hold text.
    int64_t leftOut() const { return m_leftOut; }

private:
    SdrOptions m_options;
    int m_coordinateOrder;
    std::string m_jobName;
    std::time_t m_now;
    Fields m_fields;
    std::string m_record;
    int64_t m_leftOut = 0;
};

// The coordinate file input to the SDR-33 file output: appended to when
// OutputFileMode is 1 (a further header block before the new points), else new. A
// line cut short is no point (CoordinateLineGate.h).
void ConvertCoorToSDR33(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
