#include "conversion/NedcadWriter.h"

#include "conversion/ListingRecords.h"
#include "conversion/TextWriterRun.h"
#include "platform/TextRules.h"

#include <string>
#include <string_view>

namespace tavrelo {

namespace {

constexpr size_t kZoneWidth = 14;

// One line of items in print zones, built in a buffer kept from line to line. Each
// item starts at the first zone start after the start of the item before it that it
// does not overlap, so an item ending exactly at a zone's end is followed directly by
// the next zone. Texts are written as they are, numbers in their printed form, an
// empty value as nothing.
class ZonedLine {
public:
    ZonedLine& text(std::string_view item)
    {
        nextZone();
        m_line.append(item.data(), item.size());
        return *this;
    }
    ZonedLine& number(double value)
    {
        nextZone();
        AppendPrintStatementNumber(m_line, value);
        return *this;
    }
    ZonedLine& value(const ListingValue& value)
    {
        nextZone();
        if (!value.empty)
            AppendPrintStatementNumber(m_line, value.number);
        return *this;
    }
    // Writes the line with its CR LF and starts the next one.
    void writeTo(ByteSink& out)
    {
        m_line += "\r\n";
        out.write(m_line.data(), m_line.size());
        m_line.clear();
        m_start = 0;
        m_first = true;
    }

private:
    void nextZone()
    {
        if (!m_first) {
            size_t next = (m_start / kZoneWidth + 1) * kZoneWidth;
            while (next < m_line.size())
                next += kZoneWidth;
            m_line.append(next - m_line.size(), ' ');
            m_start = next;
        }
        m_first = false;
    }

    std::string m_line;
    size_t m_start = 0;
    bool m_first = true;
};

class NedcadLines : public ListingLines {
public:
    explicit NedcadLines(ByteSink& out) : m_out(out) {}

    void station(const ListingStation& s) override
    {
        m_line.text(s.name).number(0).number(0).number(0).value(s.instrumentHeight).writeTo(m_out);
        m_line.text(s.backsight).number(0).number(0).number(0).number(0).writeTo(m_out);
    }

    void observation(const ListingStation&, const ListingObservation& o) override
    {
        m_line.text(o.name)
            .number(o.reducedAngle)
            .value(o.verticalAngle)
            .value(o.slopeDistance)
            .value(o.targetHeight)
            .writeTo(m_out);
    }

private:
    ByteSink& m_out;
    ZonedLine m_line;
};

} // namespace

int NedcadWriter::write(const std::string& input, ByteSink& out)
{
    NedcadLines lines(out);
    return ReadListingRecords(input, out, lines, m_cutShort);
}

void ConvertRawToNedcad(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunTextWriter(context, input, output,
                  [&](const std::string& in, ByteSink& out) {
                      NedcadWriter writer;
                      const int error = writer.write(in, out);
                      context.cutShort = writer.cutShort();
                      return error;
                  });
}

} // namespace tavrelo
