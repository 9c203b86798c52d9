#include "conversion/SdrWriter.h"

#include "conversion/FixedColumns.h"
#include "conversion/TextWriterRun.h"
#include "platform/TextRules.h"

#include <initializer_list>
#include <utility>

namespace tavrelo {

namespace {
const char* const kInstrument = "ZAREL KRV-500";
constexpr size_t kCoordinateColumn = 16;

// The digit each button of an option group stands for in the header records.
struct DigitGroup {
    int SdrOptions::*option;
    const char* digits; // by button index
};
const DigitGroup kUnitDigits[] = { // header record, columns 41 to 44
    {&SdrOptions::angleUnits, "124"},      // Degrees, Gon, Mil
    {&SdrOptions::distanceUnits, "122"},   // Meters, US Feet, Intl. Feet
    {&SdrOptions::pressureUnits, "123"},   // mmHg, InchHg, mbar
    {&SdrOptions::temperatureUnits, "12"}, // Celsius, Fahrenheit
};
const DigitGroup kCorrectionDigits[] = { // job record, columns 23 to 26
    {&SdrOptions::temperatureAndPressure, "21"}, // On, Off
    {&SdrOptions::curvatureAndRefraction, "21"},
    {&SdrOptions::refractionConstant, "12"},     // 0.132, 0.200
    {&SdrOptions::seaLevel, "21"},
};

template <size_t N>
std::string Digits(const SdrOptions& options, const DigitGroup (&groups)[N])
{
    std::string out;
    for (const DigitGroup& group : groups) {
        const int index = options.*group.option;
        const std::string digits = group.digits;
        // An index without a button leaves its column blank.
        out += index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : ' ';
    }
    return out;
}

// A work string of width blanks after the record code, each text written from its
// column (counted from 1) over at most its limit, then trimmed.
struct Placed {
    size_t column;
    std::string text;
    size_t limit;
};
std::string Record(const std::string& code, size_t width, std::initializer_list<Placed> values)
{
    std::string work = code + std::string(width, ' ');
    for (const Placed& value : values) {
        const size_t start = value.column - 1;
        const size_t n = std::min({value.text.size(), value.limit, work.size() - start});
        work.replace(start, n, value.text, 0, n);
    }
    return Trim(work);
}

std::string Clock(std::time_t now, bool seconds)
{
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d %d:%02d", local.tm_year % 100, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min);
    std::string out = text;
    if (seconds) {
        std::snprintf(text, sizeof text, ":%02d", local.tm_sec);
        out += text;
    }
    return out;
}
} // namespace

SdrWriter::SdrWriter(const SdrOptions& options, int coordinateOrder, const std::string& outputPath,
                     std::time_t now)
    : m_options(options), m_coordinateOrder(coordinateOrder), m_jobName(Trim(GetFileNameOnly(outputPath))), m_now(now)
{
}

void SdrWriter::writeHeader(ByteSink& out) const
{
    const std::string order = m_coordinateOrder == 0 ? "1" : "2";
    out.writeLine(Record("00NM", 45, {{5, "SDR33V04-01", 16}, {25, Clock(m_now, false), 16},
                                      {41, Digits(m_options, kUnitDigits) + order + "1", 6}}));
    out.writeLine(Record("10NM", 45, {{5, m_jobName, 15}, {21, "12" + Digits(m_options, kCorrectionDigits), 6}}));
    out.writeLine(Record("01KI1", 82, {{6, kInstrument, 16}, {22, "000000", 6}, {28, kInstrument, 16},
                                       {44, "000000", 6}, {50, "11", 2}, {52, "0.000", 10},
                                       {62, "0.000", 10}, {72, "0.000", 10}}));
    out.writeLine("13NM Tavrelo version 1.01");
    out.writeLine("13NM Conversion to SDR-33 format");
    out.writeLine("13NM Date of conversion: " + Clock(m_now, true));
}

bool SdrWriter::writePoint(ByteSink& out, std::string& line)
{
    if (SplitComma(line, m_fields) < kFieldsOfAPoint)
        return false;
    if (!AreCoordinateFields(m_fields, 2)) {
        ++m_leftOut;
        return false;
    }
    // Fields 2 and 3 keep the input's order, which the header's order digit states;
    // each value is cut to its own column. An elevation without a number (a code in
    // its place) stays empty, as a missing one does.
    m_record = "08KI";
    for (int field = 1; field <= 5; ++field) {
        const bool textElevation = field == 4 && !HoldsNumber(m_fields[field]);
        m_record += LeftInColumn(textElevation ? std::string() : Trim(m_fields[field]), kCoordinateColumn);
    }
    out.writeLine(RTrim(m_record));
    return true;
}

int64_t SdrWriter::write(CoordinateLineGate& in, ByteSink& out)
{
    writeHeader(out);
    m_leftOut = 0;
    std::string line;
    int64_t points = 0;
    while (!out.failed() && in.next(line))
        points += writePoint(out, line);
    return points;
}

void ConvertCoorToSDR33(ConversionContext& context, const std::string& input, const std::string& output)
{
    static const SdrOptions kDefaults;
    SdrWriter writer(context.sdr ? *context.sdr : kDefaults, context.coordinateOrder, output, std::time(nullptr));
    RunTextWriter(context, input, output, [&](const std::string& path, ByteSink& out) {
        CoordinateLineGate in;
        if (!in.open(path))
            return in.error();
        const int64_t points = writer.write(in, out);
        context.leftOutLines = writer.leftOut();
        context.cutShort = in.cutShort();
        if (in.error() == 0 && !out.failed() && points == 0)
            return kNoUsableRecord;
        return in.error();
    });
}

} // namespace tavrelo
