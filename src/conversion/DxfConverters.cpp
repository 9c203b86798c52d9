#include "conversion/DxfConverters.h"

#include "conversion/ConverterReport.h"
#include "platform/LineReader.h"
#include "conversion/DxfDrawing.h"
#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordCodes.h"
#include "conversion/TextWriterRun.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"

#include <cstring>

namespace tavrelo {

namespace {

// Where a record keeps a point: its name, the first of its two plane coordinates (the
// second follows it), elevation and code. The first plane field holds the northing
// unless the coordinate order puts the easting first.
struct PointFields {
    int name, firstPlane, elevation, code;
};

bool TakePoint(const Fields& fields, const PointFields& at, bool eastingFirst, bool withLabels, DxfPoint& point)
{
    const int east = eastingFirst ? at.firstPlane : at.firstPlane + 1;
    const int north = eastingFirst ? at.firstPlane + 1 : at.firstPlane;
    point.easting = FieldValue(fields[east]);
    point.northing = FieldValue(fields[north]);
    point.elevation = FieldValue(fields[at.elevation]);
    if (withLabels) {
        point.labels[kLabelPointName] = Trim(fields[at.name]);
        // an elevation without a number (a code in its place) is no height to label
        point.labels[kLabelElevation] = HoldsNumber(fields[at.elevation]) ? Trim(fields[at.elevation]) : "";
        point.labels[kLabelCode] = Trim(fields[at.code]);
    }
    return true;
}

// A line of a coordinate file: point, plane 1, plane 2, elevation, code. A list without
// heights ends after the plane coordinates: its points lie at elevation 0, unlabelled.
class CoordinateLines {
public:
    explicit CoordinateLines(int coordinateOrder) : m_eastingFirst(coordinateOrder == 1) {}
    void startPass() { m_leftOut = 0; }
    bool read(std::string& line, int64_t, bool, DxfPoint& point, bool withLabels)
    {
        if (SplitComma(line, m_fields) < kFieldsOfAPoint)
            return false;
        if (!AreCoordinateFields(m_fields, 2)) {
            ++m_leftOut;
            return false;
        }
        return TakePoint(m_fields, {1, 2, 4, 5}, m_eastingFirst, withLabels, point);
    }
    // The lines of the last pass whose coordinates hold text.
    int64_t leftOut() const { return m_leftOut; }
    CutShortCount cutShort() const { return {}; }

private:
    bool m_eastingFirst;
    Fields m_fields;
    int64_t m_leftOut = 0;
};

// The coordinate records of a raw-data file: code, point, -, northing, easting,
// elevation, code; a "CO,Coord Order: ENZ" line exchanges the two plane fields of the
// records after it. A record cut short is no point.
class RawCoordinateRecords {
public:
    void startPass()
    {
        m_eastingFirst = false;
        m_records = CutShortRecords();
    }
    int64_t leftOut() const { return 0; }
    const CutShortCount& cutShort() const { return m_records.count(); }
    // withoutLineEnd: the file's last line, unended (LineReader::lastLineUnended).
    bool read(std::string& line, int64_t lineNumber, bool withoutLineEnd, DxfPoint& point, bool withLabels)
    {
        static const char kOrderLine[] = "CO,Coord Order:";
        if (line.find(kOrderLine) != std::string::npos) {
            const std::string trimmed = Trim(line);
            if (trimmed.size() > 15 && Trim(trimmed.substr(15)) == "ENZ")
                m_eastingFirst = true;
            return false;
        }
        return SplitComma(line, m_fields) > 0 && isCoordinateRecord(m_fields[1]) &&
               m_records.take(m_fields[1], line, lineNumber, withoutLineEnd) &&
               TakePoint(m_fields, {2, 4, 6, 7}, m_eastingFirst, withLabels, point);
    }

private:
    static bool isCoordinateRecord(const std::string& code)
    {
        const RawRecordCode* row = FindRawRecord(code);
        return row && row->kind == RawKind::Coordinates;
    }
    bool m_eastingFirst = false;
    Fields m_fields;
    CutShortRecords m_records;
};

} // namespace

bool DxfRefusesTarget(int outputFileMode, const std::string& output)
{
    return outputFileMode == 1 && IsRegularFile(output);
}

bool RefuseDxfAppend(ConversionContext& context, const std::string& output)
{
    if (!DxfRefusesTarget(context.state.OutputFileMode, output))
        return false;
    // Names the button as the append question shows it, under the error title and icon.
    context.ui.message("A DXF drawing cannot be appended to another drawing.\r\nChoose " +
                           MessageText(context, 9, "Overwite") +
                           " to replace the file, or choose another file name.",
                       MessageButtons::Ok, MessageIcon::Critical, MessageText(context, 11, "Error"));
    return true;
}

namespace {

// Both passes over the input: the extents first, since the header carries them.
template <typename Lines>
int WriteDrawing(const DxfOptions& options, const std::string& input, Lines& lines, ByteSink& out)
{
    DxfExtents extents;
    std::string line;
    DxfPoint point;
    LineReader in;
    if (!in.open(input))
        return in.error();
    lines.startPass();
    int64_t points = 0;
    while (in.next(line))
        if (lines.read(line, in.linesRead(), in.lastLineUnended(), point, false)) {
            extents.add(point.easting, point.northing);
            ++points;
        }
    if (in.error() != 0)
        return in.error();
    if (points == 0)
        return kNoUsableRecord;
    if (!in.open(input))
        return in.error();

    DxfDrawing drawing(out, options);
    drawing.header(extents);
    lines.startPass();
    while (!out.failed() && in.next(line))
        if (lines.read(line, in.linesRead(), in.lastLineUnended(), point, true))
            drawing.point(point);
    drawing.end();
    return in.error();
}

template <typename Lines>
void ConvertToDxf(ConversionContext& context, const std::string& input, const std::string& output, Lines lines)
{
    context.state.TransferStatus = "E";
    if (input.empty() || output.empty() || RefuseDxfAppend(context, output))
        return;
    static const DxfOptions kDefaults;
    const DxfOptions& options = context.dxf ? *context.dxf : kDefaults;
    // With Append refused for an existing target, an Append run makes a new file as well.
    RunTextWriter(context, input, output, [&](const std::string& path, ByteSink& out) {
        const int error = WriteDrawing(options, path, lines, out);
        context.leftOutLines = lines.leftOut();
        context.cutShort = lines.cutShort();
        return error;
    });
}

} // namespace

void ConvertCoorToDXF(ConversionContext& context, const std::string& input, const std::string& output)
{
    ConvertToDxf(context, input, output, CoordinateLines(context.coordinateOrder));
}

void ConvertRawToDXF(ConversionContext& context, const std::string& input, const std::string& output)
{
    ConvertToDxf(context, input, output, RawCoordinateRecords());
}

} // namespace tavrelo
