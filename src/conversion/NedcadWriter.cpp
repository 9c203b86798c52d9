#include "conversion/NedcadWriter.h"

#include "conversion/ListingRecords.h"
#include "conversion/TextWriterRun.h"
#include "platform/TextRules.h"

#include <initializer_list>

namespace tavrelo {

namespace {

constexpr size_t kZoneWidth = 14;

// One item of a line: a text as it stands, or a number in its printed form (nothing
// for an empty value).
std::string itemOf(const ListingValue& value) { return value.empty ? std::string() : PrintStatementNumber(value.number); }
std::string itemOf(double number) { return PrintStatementNumber(number); }

// Items in print zones: each item starts at the first zone start after the start of
// the item before it that it does not overlap, so an item ending exactly at a zone's
// end is followed directly by the next zone.
std::string zoned(std::initializer_list<std::string> items)
{
    std::string line;
    size_t start = 0;
    bool first = true;
    for (const std::string& item : items) {
        if (!first) {
            size_t next = (start / kZoneWidth + 1) * kZoneWidth;
            while (next < line.size())
                next += kZoneWidth;
            line.append(next - line.size(), ' ');
            start = next;
        }
        first = false;
        line += item;
    }
    return line;
}

class NedcadLines : public ListingLines {
public:
    explicit NedcadLines(ByteSink& out) : m_out(out) {}

    void station(const ListingStation& s) override
    {
        const std::string zero = itemOf(0.0);
        m_out.writeLine(zoned({s.name, zero, zero, zero, itemOf(s.instrumentHeight)}));
        m_out.writeLine(zoned({s.backsight, zero, zero, zero, zero}));
    }

    void observation(const ListingStation&, const ListingObservation& o) override
    {
        m_out.writeLine(zoned({o.name, itemOf(o.reducedAngle), itemOf(o.verticalAngle), itemOf(o.slopeDistance),
                               itemOf(o.targetHeight)}));
    }

private:
    ByteSink& m_out;
};

} // namespace

int NedcadWriter::write(const std::string& input, ByteSink& out)
{
    NedcadLines lines(out);
    return ReadListingRecords(input, out, lines);
}

void ConvertRawToNedcad(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunTextWriter(context, input, output,
                  [](const std::string& in, ByteSink& out) { return NedcadWriter().write(in, out); });
}

} // namespace tavrelo
