#include "conversion/KofRawWriter.h"

#include "conversion/FastNumbers.h"
#include "conversion/KofLines.h"
#include "conversion/KofRun.h"
#include "conversion/TextWriterRun.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordGate.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

// One pass over a raw file: the values that carry from record to record.
class RawKofPass {
public:
    RawKofPass(const KofFieldRules& rules, bool northingFirstInFile, ByteSink& out)
        : m_rules(rules), m_lines(out), m_northingFirstInFile(northingFirstInFile) {}

    KofLines& lines() { return m_lines; }

    // Writes the lines of one record of kKofRawRecords, its line trimmed and split.
    void record(const RawRecordCode& record, const std::string& line, const Fields& f);

private:
    using Handle = void (RawKofPass::*)(const std::string& line, const Fields& f);
    struct Handler {
        RawKind kind;
        Handle handle;
    };
    static const Handler kHandlers[];

    void comment(const std::string& line, const Fields&)
    {
        const std::string text = line.size() > 3 ? line.substr(3) : std::string();
        m_lines.comment(text);
        readWeather(text);
        readCoordinateOrder(text);
    }

    // "Temp:18.4 Press:755": both stay in force for the later stations. A comment
    // without "Press:" changes only the temperature.
    void readWeather(const std::string& text)
    {
        const size_t temp = text.find("Temp:");
        if (temp == std::string::npos)
            return;
        m_temperature = Val(text.substr(temp + 5, 4));
        const size_t press = text.find("Press:");
        if (press != std::string::npos)
            m_pressure = Val(text.substr(press + 6, 5));
    }

    void readCoordinateOrder(const std::string& text)
    {
        if (text.find("Coord Order:") == std::string::npos)
            return;
        const std::string trimmed = Trim(text);
        const std::string order = trimmed.size() > 13 ? Trim(trimmed.substr(13)) : std::string();
        if (order == "NEZ")
            m_northingFirstInFile = true;
        else if (order == "ENZ")
            m_northingFirstInFile = false;
    }

    void station(const std::string&, const Fields& f)
    {
        m_lines.station(m_rules.pointName(f[2]), KofFieldRules::plainCode(Trim(f[3])), m_pressure, m_temperature,
                        FieldValue(f[6]));
        m_lines.backsight(f[4], FieldValue(f[7]));
    }

    // SS, CP and SO; only a side shot's code may be split, and its tail goes first.
    void observation(const std::string&, const Fields& f)
    {
        const RawObservationFields& at = *FindRawObservation(f[1]);
        const bool sideShot = f[1] == "SS";
        const std::string code =
            sideShot ? m_rules.splitCode(f[at.pointCode], m_tail) : KofFieldRules::plainCode(f[at.pointCode]);
        if (sideShot && !m_tail.empty())
            m_lines.codeTail(m_tail);
        m_lines.observation(m_rules.pointName(f[at.name]), code, FieldValue(f[at.horizontalAngle]),
                            FieldValue(f[at.verticalAngle]), FieldValue(f[at.slopeDistance]),
                            FieldValue(f[at.targetHeight]));
    }

    // Fields 4 and 5 hold northing and easting (easting and northing under ENZ); the
    // line always shows the easting first.
    void coordinate(const std::string&, const Fields& f)
    {
        std::string droppedTail;
        const std::string code = m_rules.splitCode(f[7], droppedTail);
        double first = FieldValue(f[4]);
        double second = FieldValue(f[5]);
        if (m_northingFirstInFile)
            std::swap(first, second);
        m_lines.coordinate(m_rules.pointName(f[2]), code, first, second, FieldValue(f[6]));
    }

    const KofFieldRules& m_rules;
    KofLines m_lines;
    bool m_northingFirstInFile; // NEZ: field 5, the easting, goes first
    double m_pressure = 0;
    double m_temperature = 0;
    std::string m_tail;
};

const RawKofPass::Handler RawKofPass::kHandlers[] = {
    {RawKind::Comment, &RawKofPass::comment},
    {RawKind::Station, &RawKofPass::station},
    {RawKind::SideShot, &RawKofPass::observation},
    {RawKind::PointShot, &RawKofPass::observation},
    {RawKind::Coordinates, &RawKofPass::coordinate},
};

void RawKofPass::record(const RawRecordCode& record, const std::string& line, const Fields& f)
{
    for (const Handler& h : kHandlers)
        if (record.kind == h.kind)
            (this->*h.handle)(line, f);
}

} // namespace

KofRawWriter::KofRawWriter(const KofOptions& options, int coordinateOrder, const KofPointTable& table)
    : m_options(options), m_table(table), m_coordinateOrder(coordinateOrder)
{
}

int KofRawWriter::write(const std::string& input, ByteSink& out)
{
    RawRecordGate gate(kKofRawRecords);
    if (!gate.open(input))
        return gate.reader().error();
    const KofFieldRules rules(m_options, m_table);
    RawKofPass pass(rules, m_coordinateOrder != 1, out);
    pass.lines().header(kKofSourceFromRaw, m_options);
    RawLine raw;
    std::string line;
    Fields fields;
    while (!out.failed() && gate.next(raw))
        if (raw.record) {
            line.assign(raw.text);
            SplitComma(line, fields);
            pass.record(*raw.record, line, fields);
        }
    pass.lines().finish();
    m_cutShort = gate.cutShort();
    const int error = gate.reader().error();
    if (error == 0 && !out.failed() && pass.lines().records() == 0)
        return kNoUsableRecord;
    return error ? error : out.error();
}

void ConvertRawToKOF(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunKofConversion(context, input, output,
                     [&](const KofOptions& options, const KofPointTable& table, const std::string& in, ByteSink& out) {
                         KofRawWriter writer(options, context.coordinateOrder, table);
                         const int error = writer.write(in, out);
                         context.cutShort = writer.cutShort();
                         return error;
                     });
}

} // namespace tavrelo
