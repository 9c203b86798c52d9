#include "conversion/DxfConverters.h"

#include "conversion/ConverterReport.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/DxfDrawing.h"
#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/RawRecordGate.h"
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
// A line cut short is no point.
class CoordinateLines {
public:
    explicit CoordinateLines(int coordinateOrder) : m_eastingFirst(coordinateOrder == 1) {}
    // Opens path for a pass; false with error().
    bool open(const std::string& path)
    {
        m_leftOut = 0;
        return m_gate.open(path);
    }
    // The next point of the pass; false at the end of the file or on a failure.
    bool next(DxfPoint& point, bool withLabels)
    {
        while (m_gate.next(m_line))
            if (read(point, withLabels))
                return true;
        return false;
    }
    int error() const { return m_gate.error(); }
    // The lines of the last pass whose coordinates hold text.
    int64_t leftOut() const { return m_leftOut; }
    const CutShortCount& cutShort() const { return m_gate.cutShort(); }

private:
    bool read(DxfPoint& point, bool withLabels)
    {
        if (SplitComma(m_line, m_fields) < kFieldsOfAPoint)
            return false;
        if (!AreCoordinateFields(m_fields, 2)) {
            ++m_leftOut;
            return false;
        }
        return TakePoint(m_fields, {1, 2, 4, 5}, m_eastingFirst, withLabels, point);
    }

    bool m_eastingFirst;
    CoordinateLineGate m_gate;
    std::string m_line;
    Fields m_fields;
    int64_t m_leftOut = 0;
};

// The coordinate records of a raw-data file: code, point, -, northing, easting,
// elevation, code; a "CO,Coord Order: ENZ" line exchanges the two plane fields of the
// records after it. A record cut short is no point.
class RawCoordinateRecords {
public:
    bool open(const std::string& path)
    {
        m_eastingFirst = false;
        return m_gate.open(path);
    }
    bool next(DxfPoint& point, bool withLabels)
    {
        RawLine line;
        while (m_gate.next(line)) {
            if (line.text.find("CO,Coord Order:") != std::string_view::npos) {
                const std::string_view trimmed = TrimBlanks(line.text);
                if (trimmed.size() > 15 && TrimBlanks(trimmed.substr(15)) == "ENZ")
                    m_eastingFirst = true;
            } else if (line.record) {
                m_line.assign(line.text);
                SplitComma(m_line, m_fields);
                return TakePoint(m_fields, {2, 4, 6, 7}, m_eastingFirst, withLabels, point);
            }
        }
        return false;
    }
    int error() { return m_gate.reader().error(); }
    int64_t leftOut() const { return 0; }
    const CutShortCount& cutShort() const { return m_gate.cutShort(); }

private:
    RawRecordGate m_gate{kRawDxfRecords};
    bool m_eastingFirst = false;
    std::string m_line;
    Fields m_fields;
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
    DxfPoint point;
    if (!lines.open(input))
        return lines.error();
    int64_t points = 0;
    while (lines.next(point, false)) {
        extents.add(point.easting, point.northing);
        ++points;
    }
    if (lines.error() != 0)
        return lines.error();
    if (points == 0)
        return kNoUsableRecord;
    if (!lines.open(input))
        return lines.error();

    DxfDrawing drawing(out, options);
    drawing.header(extents);
    while (!out.failed() && lines.next(point, true))
        drawing.point(point);
    drawing.end();
    return lines.error();
}

template <typename Lines>
void ConvertToDxf(ConversionContext& context, const std::string& input, const std::string& output, Lines& lines)
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
    CoordinateLines lines(context.coordinateOrder);
    ConvertToDxf(context, input, output, lines);
}

void ConvertRawToDXF(ConversionContext& context, const std::string& input, const std::string& output)
{
    RawCoordinateRecords records;
    ConvertToDxf(context, input, output, records);
}

} // namespace tavrelo
