#include "conversion/KofCoordinateWriter.h"

#include "conversion/CoordinateLineGate.h"
#include "conversion/FastNumbers.h"
#include "conversion/KofLines.h"
#include "conversion/KofRun.h"
#include "conversion/TextWriterRun.h"
#include "conversion/LineSplitting.h"
#include "platform/TextRules.h"

#include <utility>

namespace tavrelo {

KofCoordinateWriter::KofCoordinateWriter(const KofOptions& options, int coordinateOrder,
                                         const KofPointTable& table)
    : m_options(options), m_table(table), m_coordinateOrder(coordinateOrder)
{
}

int KofCoordinateWriter::write(const std::string& input, ByteSink& out)
{
    m_leftOut = 0;
    m_cutShort = CutShortCount();
    CoordinateLineGate reader;
    if (!reader.open(input))
        return reader.error();
    const KofFieldRules rules(m_options, m_table);
    KofLines lines(out);
    lines.header(kKofSourceFromCoordinates, m_options);
    std::string line, droppedTail;
    Fields f;
    while (!out.failed() && reader.next(line)) {
        if (SplitComma(line, f) < kFieldsOfAPoint)
            continue;
        if (!AreCoordinateFields(f, 2)) {
            ++m_leftOut;
            continue;
        }
        double first = FieldValue(f[3]);
        double second = FieldValue(f[2]);
        if (m_coordinateOrder == 1)
            std::swap(first, second);
        lines.coordinate(rules.pointName(f[1]), rules.splitCode(f[5], droppedTail), first, second, FieldValue(f[4]));
    }
    lines.finish();
    m_cutShort = reader.cutShort();
    if (reader.error() == 0 && !out.failed() && lines.records() == 0)
        return kNoUsableRecord;
    return reader.error() ? reader.error() : out.error();
}

void ConvertCoorToKOF(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunKofConversion(context, input, output,
                     [&](const KofOptions& options, const KofPointTable& table, const std::string& in, ByteSink& out) {
                         KofCoordinateWriter writer(options, context.coordinateOrder, table);
                         const int error = writer.write(in, out);
                         context.leftOutLines = writer.leftOut();
                         context.cutShort = writer.cutShort();
                         return error;
                     });
}

} // namespace tavrelo
