#include "conversion/EghasWriter.h"

#include "conversion/ColumnLayout.h"
#include "conversion/ListingRecords.h"
#include "conversion/TextWriterRun.h"

namespace tavrelo {

namespace {

constexpr ColumnAlign R = ColumnAlign::Right;
constexpr ColumnOverflow Widen = ColumnOverflow::Widen;

// Names fill their columns from the right and a longer one is written whole; numbers
// take their masks' leading zeros and as many more digits as they need.
enum { kStation, kBacksight, kInstrumentHeight, kBacksightAngle, kPoint, kAngle, kVertical, kDistance, kTarget,
       kValueCount };
constexpr ColumnField kEghasLine[] = {
    TextColumn(kStation, 10, R, Widen), FixedText(" "),
    TextColumn(kBacksight, 9, R, Widen), FixedText("     "),
    NumberColumn(kInstrumentHeight, 0, "00.00"), FixedText("  "),
    NumberColumn(kBacksightAngle, 0, "000.0000"), FixedText(" "),
    TextColumn(kPoint, 9, R, Widen), FixedText("  "),
    NumberColumn(kAngle, 0, "000.0000"), FixedText("  "),
    NumberColumn(kVertical, 0, "000.0000"), FixedText("  "),
    NumberColumn(kDistance, 0, "0000.000"), FixedText("    "),
    NumberColumn(kTarget, 0, "00.000"), FixedText(" PP"),
};

// An empty raw field prints as nothing: blanks where its digits would stand.
void setValue(ColumnValue& column, const ListingValue& value)
{
    column.number = value.number;
    column.blank = value.empty;
}

class EghasLines : public ListingLines {
public:
    explicit EghasLines(ByteSink& out) : m_out(out) {}

    void station(const ListingStation&) override {}

    void observation(const ListingStation& s, const ListingObservation& o) override
    {
        ColumnValue values[kValueCount];
        values[kStation].text = s.name;
        values[kBacksight].text = s.backsight;
        setValue(values[kInstrumentHeight], s.instrumentHeight);
        setValue(values[kBacksightAngle], s.backsightAngle);
        values[kPoint].text = o.name;
        values[kAngle].number = o.reducedAngle; // computed, so always a number
        setValue(values[kVertical], o.verticalAngle);
        setValue(values[kDistance], o.slopeDistance);
        setValue(values[kTarget], o.targetHeight);
        m_line.clear();
        AppendColumns(m_line, MakeLayout(kEghasLine), values);
        m_out.writeLine(m_line);
    }

private:
    ByteSink& m_out;
    std::string m_line;
};

} // namespace

int EghasWriter::write(const std::string& input, ByteSink& out)
{
    EghasLines lines(out);
    return ReadListingRecords(input, out, lines, m_cutShort);
}

void ConvertRawToEghas(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunTextWriter(context, input, output,
                  [&](const std::string& in, ByteSink& out) {
                      EghasWriter writer;
                      const int error = writer.write(in, out);
                      context.cutShort = writer.cutShort();
                      return error;
                  });
}

} // namespace tavrelo
