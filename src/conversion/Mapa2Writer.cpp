#include "conversion/Mapa2Writer.h"

#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordGate.h"
#include "conversion/TextWriterRun.h"
#include "platform/TextRules.h"

#include <ctime>
#include <utility>
#include <unordered_map>

namespace tavrelo {

namespace {

using CodeList = std::unordered_map<std::string, std::string>;

const char* const kPreamble[] = {"9999", "999999999", "100001", "1", "3", "0", "2"};
constexpr size_t kObservationNameLength = 10;

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }
bool isComment(const std::string& line) { return startsWith(line, "CO,"); }
std::string commentText(const std::string& line) { return line.substr(3); }

// The codes of the coordinate records MP, UP, CC and RE by point name; the first
// record of a name wins, and a record cut short gives none.
int readCodes(const std::string& input, CodeList& codes)
{
    RawRecordGate gate({RawKind::Coordinates});
    if (!gate.open(input))
        return gate.reader().error();
    RawLine line;
    std::string text;
    Fields f;
    while (gate.next(line)) {
        if (!line.record)
            continue;
        text.assign(line.text);
        SplitComma(text, f);
        const std::string code = Trim(f[7]);
        if (!code.empty())
            codes.emplace(Trim(f[2]), code);
    }
    return gate.reader().error();
}

// Writes the main pass, one raw line at a time.
class Mapa2Pass {
public:
    Mapa2Pass(const CodeList& codes, ByteSink& out) : m_codes(codes), m_out(out) {}

    // A line of the file, trimmed (text), as the gate hands it on (raw).
    void line(const std::string& text, const RawLine& raw)
    {
        if (isComment(text)) {
            m_out.writeLine("; " + commentText(text));
            return;
        }
        if (!raw.record)
            return;
        m_line = text;
        SplitComma(m_line, m_fields);
        if (raw.record->kind == RawKind::Station)
            station();
        else if (kRawObservations.has(raw.record->kind))
            observation(raw.record->observation);
        else
            m_out.writeLine(";" + m_line);
        ++m_written;
    }

    // Station, observation and coordinate records met (comments not counted).
    int64_t records() const { return m_written; }

    void finish()
    {
        m_out.writeLine("/");
        m_out.writeLine("-2");
    }

private:
    void station()
    {
        if (m_stationWritten)
            m_out.writeLine("/");
        m_stationWritten = true;
        const std::string name = Trim(m_fields[2]);
        std::string text = "1 " + name + " " + FormatMask(FieldValue(m_fields[6]), "0.000");
        const auto code = m_codes.find(name);
        if (code != m_codes.end())
            text += " *" + code->second;
        m_out.writeLine(text);
        m_out.writeLine("-1");
    }

    void observation(const RawObservationFields& at)
    {
        std::string name = Trim(m_fields[at.name]);
        if (name.size() > kObservationNameLength)
            name.erase(0, name.size() - kObservationNameLength);
        std::string text = name;
        const std::pair<int, const char*> values[] = {
            {at.slopeDistance, "0.000"}, {at.targetHeight, "0.000"},
            {at.horizontalAngle, "0.0000"}, {at.verticalAngle, "0.0000"}};
        for (const auto& [field, mask] : values) {
            text += ' ';
            AppendFormatMask(text, FieldValue(m_fields[field]), mask);
        }
        const std::string code = Trim(m_fields[at.pointCode]);
        if (m_fields[1] == "CP")
            text += " *OR";
        else if (!code.empty())
            text += " *" + code;
        m_out.writeLine(text);
    }

    const CodeList& m_codes;
    ByteSink& m_out;
    std::string m_line;
    Fields m_fields;
    int64_t m_written = 0;
    bool m_stationWritten = false;
};

} // namespace

int Mapa2Writer::write(const std::string& input, ByteSink& out)
{
    CodeList codes;
    if (const int error = readCodes(input, codes))
        return error;
    RawRecordGate gate(kMapa2Records);
    if (!gate.open(input))
        return gate.reader().error();
    // The leading comments, but for the download and tilt notes and the job's
    // creation line; the first one kept names the source and is followed by the date.
    RawLine raw;
    std::string line;
    bool haveRecord = false;
    bool firstKept = false;
    while (!haveRecord && gate.next(raw)) {
        line = TrimBlanks(raw.text);
        if (line.empty())
            continue;
        if (!isComment(line))
            haveRecord = true;
        else if (startsWith(line, "CO,Downloaded") || startsWith(line, "CO,Tilt Correction") ||
                 line.find("<JOB> Created") != std::string::npos)
            continue;
        else if (!firstKept) {
            firstKept = true;
            out.writeLine("; MAPA 2 format from " + commentText(line));
            out.writeLine("; Date: " + m_date);
        } else
            out.writeLine("; " + commentText(line));
    }
    for (const char* number : kPreamble)
        out.writeLine(number);
    Mapa2Pass pass(codes, out);
    if (haveRecord)
        pass.line(line, raw);
    while (!out.failed() && gate.next(raw))
        pass.line(line = TrimBlanks(raw.text), raw);
    pass.finish();
    m_cutShort = gate.cutShort();
    const int error = gate.reader().error();
    if (error == 0 && !out.failed() && pass.records() == 0)
        return kNoUsableRecord;
    return error ? error : out.error();
}

std::string Mapa2Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[16];
    std::strftime(text, sizeof text, "%d-%m-%y", &local);
    return text;
}

void ConvertRawToMapa2(ConversionContext& context, const std::string& input, const std::string& output)
{
    Mapa2Writer writer(Mapa2Today());
    RunTextWriter(context, input, output, [&](const std::string& in, ByteSink& out) {
        const int error = writer.write(in, out);
        context.cutShort = writer.cutShort();
        return error;
    });
}

} // namespace tavrelo
