#pragma once
// KOF from a coordinate file (name, two plane coordinates, height, code per line,
// comma-separated): header and job lines, then one coordinate line per point.
#include "conversion/ConversionContext.h"
#include "conversion/KofFieldRules.h"
#include "platform/ByteSink.h"

#include <string>

namespace tavrelo {

class KofCoordinateWriter {
public:
    // coordinateOrder: 0 the file holds N-E-Z, 1 E-N-Z; the line always shows the
    // easting first.
    KofCoordinateWriter(const KofOptions& options, int coordinateOrder, const KofPointTable& table);

    // Writes the whole KOF text of the coordinate file input; lines of fewer than four
    // fields, and lines whose coordinates hold text (leftOut), are skipped, and so are
    // lines cut short (cutShort, CoordinateLineGate.h). Returns 0 or the failure number
    // of the first failed read or write.
    int write(const std::string& input, ByteSink& out);
    int64_t leftOut() const { return m_leftOut; }
    const CutShortCount& cutShort() const { return m_cutShort; }

private:
    const KofOptions& m_options;
    const KofPointTable& m_table;
    int m_coordinateOrder;
    int64_t m_leftOut = 0;
    CutShortCount m_cutShort;
};

void ConvertCoorToKOF(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
