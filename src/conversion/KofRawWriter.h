#pragma once
// KOF from a raw data file: header and job lines, then a comment line per CO record,
// station and backsight lines per ST, an observation line per SS, CP and SO (after a
// code-tail line when code conversion splits one off a side shot's code) and a
// coordinate line per UP, MP, CC and RE record.
#include "conversion/ConversionContext.h"
#include "conversion/CutShortRecords.h"
#include "conversion/KofFieldRules.h"
#include "conversion/RawRecordCodes.h"
#include "platform/ByteSink.h"

#include <string>

namespace tavrelo {

// The records it writes lines for: face readings and the coordinate records UC and
// MC give none.
constexpr RawKinds kKofRawRecords = {RawKind::Comment, RawKind::Station, RawKind::SideShot, RawKind::PointShot,
                                     RawKind::Coordinates};

class KofRawWriter {
public:
    // coordinateOrder: the Settings tab's order, 0 NEZ, 1 ENZ, until a "Coord Order:"
    // comment of the file says otherwise.
    KofRawWriter(const KofOptions& options, int coordinateOrder, const KofPointTable& table);

    // Writes the whole KOF text of the raw file input; returns 0 or the failure number
    // of the first read or write that failed.
    int write(const std::string& input, ByteSink& out);
    // The records of the last write left out because they were cut short.
    const CutShortCount& cutShort() const { return m_cutShort; }

private:
    const KofOptions& m_options;
    const KofPointTable& m_table;
    int m_coordinateOrder;
    CutShortCount m_cutShort;
};

// The converter of the registry: options from context.kof, the order from
// context.coordinateOrder; reports through TransferStatus and the user.
void ConvertRawToKOF(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
