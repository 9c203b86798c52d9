#include "conversion/KofLines.h"

#include "conversion/ColumnLayout.h"
#include "conversion/FixedColumns.h"

namespace tavrelo {

const char* const kKofSourceFromRaw = " 00 From Zarel RAW Data Format v2.00 to KOF format";
const char* const kKofSourceFromCoordinates = " 00 From Zarel Coordinate Data to KOF format";

namespace {
constexpr ColumnAlign L = ColumnAlign::Left;
constexpr size_t kHeaderWidth = 68;
const char* const kProductLine = " 00 TAVRELO VERSION 1.01";

// Project, date, road, city, surveyor.
constexpr ColumnField kJob[] = {
    FixedText(" 01 "), TextColumn(0, 12, L), FixedText(" "), TextColumn(1, 12, L), FixedText(" "),
    TextColumn(2, 12, L), FixedText(" "), TextColumn(3, 12, L), FixedText(" "), TextColumn(4, 12, L),
};
// Name, code, pressure, temperature, instrument height.
constexpr ColumnField kStation[] = {
    FixedText(" 02 "), TextColumn(0, 11, L), TextColumn(1, 9, L), FixedText("         "),
    NumberColumn(2, 8, "#0"), FixedText(" "), NumberColumn(3, 8, "#0"), FixedText(" "),
    NumberColumn(4, 6, "#0.000"), FixedText(" 33        "),
};
// Backsight name, backsight angle.
constexpr ColumnField kBacksight[] = {
    FixedText(" 03 "), TextColumn(0, 11, L), FixedText("         "), NumberColumn(1, 8, "#0.0000"),
    FixedText("                          36 Or.pkt"),
};
// Name, code, horizontal angle, vertical angle, slope distance, target height.
constexpr ColumnField kObservation[] = {
    FixedText(" 03 "), TextColumn(0, 11, L), TextColumn(1, 9, L), NumberColumn(2, 8, "##0.0000"), FixedText(" "),
    NumberColumn(3, 8, "##0.0000"), FixedText(" "), NumberColumn(4, 8, "###0.000"), FixedText(" "),
    NumberColumn(5, 6, "#0.000"),
};
// Name, code, first plane coordinate, second plane coordinate, height.
constexpr ColumnField kCoordinate[] = {
    FixedText(" 05 "), TextColumn(0, 11, L), TextColumn(1, 9, L), NumberColumn(2, 12, "##0.000"), FixedText(" "),
    NumberColumn(3, 11, "##0.000"), FixedText(" "), NumberColumn(4, 8, "##0.000"),
};

ColumnValue text(std::string_view t) { return {t, 0}; }
ColumnValue number(double n) { return {{}, n}; }
} // namespace

void KofLines::endLine()
{
    line() += "\r\n";
    m_block.maybeFlush();
}

void KofLines::header(const char* sourceLine, const KofOptions& options)
{
    AppendInColumn(line(), kProductLine, kHeaderWidth, false);
    endLine();
    AppendInColumn(line(), sourceLine, kHeaderWidth, false);
    endLine();
    const ColumnValue job[] = {text(options.Project), text(options.Date), text(options.Road), text(options.City),
                               text(options.Surveyor)};
    AppendColumns(line(), MakeLayout(kJob), job);
    endLine();
}

void KofLines::comment(std::string_view commentText)
{
    line().append(" 00 ").append(commentText);
    endLine();
}

void KofLines::station(std::string_view name, std::string_view code, double pressure, double temperature,
                       double instrumentHeight)
{
    ++m_records;
    const ColumnValue values[] = {text(name), text(code), number(pressure), number(temperature),
                                  number(instrumentHeight)};
    AppendColumns(line(), MakeLayout(kStation), values);
    endLine();
}

void KofLines::backsight(std::string_view name, double angle)
{
    const ColumnValue values[] = {text(name), number(angle)};
    AppendColumns(line(), MakeLayout(kBacksight), values);
    endLine();
}

void KofLines::observation(std::string_view name, std::string_view code, double horizontalAngle,
                           double verticalAngle, double slopeDistance, double targetHeight)
{
    ++m_records;
    const ColumnValue values[] = {text(name),          text(code),          number(horizontalAngle),
                                  number(verticalAngle), number(slopeDistance), number(targetHeight)};
    AppendColumns(line(), MakeLayout(kObservation), values);
    endLine();
}

void KofLines::coordinate(std::string_view name, std::string_view code, double first, double second, double height)
{
    ++m_records;
    const ColumnValue values[] = {text(name), text(code), number(first), number(second), number(height)};
    AppendColumns(line(), MakeLayout(kCoordinate), values);
    endLine();
}

void KofLines::codeTail(std::string_view tail)
{
    line().append(" 09 ").append(tail);
    endLine();
}

} // namespace tavrelo
