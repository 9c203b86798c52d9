#include "conversion/RawCoordinateCalculator.h"

#include "conversion/AngleUnit.h"
#include "conversion/CalcOptions.h"
#include "conversion/ConverterFiles.h"
#include "conversion/ControlPointFile.h"
#include "conversion/ConverterReport.h"
#include "conversion/CoordinateLine.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/FastNumbers.h"
#include "conversion/LeftOutObservations.h"
#include "conversion/LineSplitting.h"
#include "conversion/NameIndex.h"
#include "conversion/ObservationPass.h"
#include "conversion/RawObservationRecords.h"
#include "conversion/RawPassOne.h"
#include "conversion/RawRecordGate.h"
#include "map/core/MapTables.h"
#include "platform/LineReader.h"
#include "platform/MemoryAdvice.h"
#include "platform/TextRules.h"
#include "platform/WorkerPool.h"

#include <cmath>
#include <memory>

namespace tavrelo {

namespace {

// The current station of pass 3 and its orientation.
struct StationState {
    bool seen = false;       // a station record has been read
    bool tried = false;      // its first observation has tried to locate it
    bool located = false;
    std::string name;
    std::string backsight;
    double HI = 0.0;
    double X = 0.0, Y = 0.0, H = 0.0;
    double backsightAzimuth = 0.0; // field 7, radians
    double orientation = 0.0;      // reading - orientation = azimuth
    bool face1 = false, face2 = false;
    double HA1 = 0.0, HA2 = 0.0;
};

class Calculation {
public:
    Calculation(ConversionContext& context, const std::string& input, const std::string& output, MapTables& tables,
                const CalcReading& reading)
        : m_context(context), m_input(input), m_tablesOnly(output == kTablesOnlyOutput), m_output(output),
          m_tables(tables), m_options(context.calc ? *context.calc : m_defaults),
          m_line(m_options.fields.field, m_options.fields.separatorText(), CoordinateLine::Rules::Calculator),
          m_reading(reading)
    {
    }

    void run();

private:
    bool openFiles();
    bool loadControlPoints();
    bool passTwo();
    void coordinateRecord(const RawRecordCode& record, std::string_view text, FieldViews& f);
    bool passThree();
    void workOut(std::vector<BlockPiece>& pieces);
    void workOutRecord(const RawObservationRecord& r);
    void stationRecord(const RawObservationRecord& r);
    void faceRecord(double reading, bool faceOne);
    void observation(const RawObservationRecord& r);
    void locateStation();
    void finish();
    bool openInput(LineReader& reader);
    bool failWithInput(LineReader& reader);

    int32_t knownPoint(std::string_view name) const;
    int32_t addStation(MapStation station);
    void writeKnownPoint(int32_t index);
    void writeCoordinates(std::string_view name, double x, double y, double h, std::string_view code);
    void writeLine(const PointTexts& texts);
    bool writing() const { return m_block != nullptr; }

    ConversionContext& m_context;
    std::string m_input;
    bool m_tablesOnly;
    std::string m_output;
    MapTables& m_tables;
    CalcOptions m_defaults;
    const CalcOptions& m_options;
    CoordinateLine m_line;
    CalcReading m_reading;
    std::vector<PendingLine>* m_pending = nullptr; // while pass 3 works out a block

    LineReader m_reader;
    std::unique_ptr<OutputTarget> m_target;
    std::unique_ptr<LineBlock> m_block;
    RawHeader m_header;

    NameIndex m_known;    // Stations name -> first index
    std::string m_freeOrigin; // the station a free survey started on, at 0, 0, 0
    NameIndex m_observed; // station name -> first observed point
    std::vector<uint8_t> m_written;                        // per Stations entry
    StationState m_station;
    double m_temperature = 20.0;
    double m_pressure = 760.0;

    CutShortRecords m_cutShort; // the observation pass's, in file order
    CutShortCount m_controlCutShort; // the control-point file's lines cut short
    int64_t m_linesBefore = 0;  // the lines of the observation pass's pieces worked out
    LeftOutObservations m_leftOut;
};

int32_t Calculation::knownPoint(std::string_view name) const
{
    return m_known.find(name);
}

int32_t Calculation::addStation(MapStation station)
{
    const std::string name = station.name;
    const int32_t index = m_tables.addStation(std::move(station));
    m_known.tryEmplace(name, index);
    m_written.resize(static_cast<size_t>(index) + 1, 0);
    return index;
}

void Calculation::writeLine(const PointTexts& texts)
{
    m_line.append(m_block->text(), texts);
    m_block->maybeFlush();
}

// Known-point lines follow the user's field order like every other line, with the
// point's stored code, so one file never mixes two column layouts.
void Calculation::writeKnownPoint(int32_t index)
{
    if (!writing() || index <= 0 || m_written[index])
        return;
    m_written[index] = 1;
    if (m_pending) {
        m_pending->push_back({0.0, 0.0, 0.0, nullptr, index});
        return;
    }
    const MapStation& s = m_tables.Stations[index];
    writeCoordinates(s.name, s.X, s.Y, s.H, s.code);
}

// A computed point's line: its coordinates with three decimals, formatted on the
// stack so that writing allocates nothing.
void Calculation::writeCoordinates(std::string_view name, double x, double y, double h, std::string_view code)
{
    const Fixed3Text north(x);
    const Fixed3Text east(y);
    const Fixed3Text height(h);
    writeLine({name, north.view(), east.view(), height.view(), code});
}

bool Calculation::failWithInput(LineReader& reader)
{
    if (reader.error() == 0)
        return false;
    ReportInputFailure(m_context, reader, !m_tablesOnly);
    return true;
}

// The raw input, opened for one pass; a failure is reported.
bool Calculation::openInput(LineReader& reader)
{
    if (reader.open(m_input))
        return true;
    ReportConverterFailure(m_context, reader.error());
    return false;
}

bool Calculation::openFiles()
{
    if (!openInput(m_reader))
        return false;
    m_reader.close();
    if (m_tablesOnly)
        return true;
    m_target = OpenConverterFiles(m_context, m_reader, m_input, m_output, {m_options.ControlFileName},
                                  CutLineMarkFor(CoordinateFile::List));
    if (!m_target)
        return false;
    m_reader.close();
    m_block = std::make_unique<LineBlock>(*m_target);
    return true;
}

// The control points first: the first of a name is the known point of that name.
bool Calculation::loadControlPoints()
{
    if (m_options.ControlFileName.empty())
        return true;
    std::vector<MapStation> points;
    const bool read = ReadControlPoints(m_context, m_options.ControlFileName, m_options.fields, !m_tablesOnly, points,
                                        m_controlCutShort);
    for (MapStation& s : points) {
        m_tables.widenExtents(s.X, s.Y);
        addStation(std::move(s));
    }
    return read;
}

// The coordinate records, so the pass ends at the last one the header pass found: a
// survey's points are mostly at its start, its observations after them. The records
// cut short among them are counted with the others in the observation pass.
bool Calculation::passTwo()
{
    if (m_header.lastCoordinateLine == 0)
        return true;
    RawRecordGate gate({RawKind::Coordinates, RawKind::MoreCoordinates});
    if (!openInput(gate.reader()))
        return false;
    RawLine line;
    FieldViews f;
    while (line.number < m_header.lastCoordinateLine && gate.next(line))
        if (line.record)
            coordinateRecord(*line.record, line.text, f);
    return !failWithInput(gate.reader());
}

// A coordinate record: a known point's line, or a new point of its own.
void Calculation::coordinateRecord(const RawRecordCode& record, std::string_view text, FieldViews& f)
{
    SplitComma(text, f);
    const int16_t type = record.pointType;
    const std::string_view name = TrimBlanks(f[2]);
    if (const int32_t index = knownPoint(name)) {
        writeKnownPoint(index);
        return;
    }
    const int north = m_header.swapCoordinates ? 5 : 4;
    const int east = m_header.swapCoordinates ? 4 : 5;
    MapStation s;
    s.name = std::string(name);
    s.X = FieldValue(f[north]);
    s.Y = FieldValue(f[east]);
    s.H = FieldValue(f[6]);
    s.type = type;
    m_tables.widenExtents(s.X, s.Y);
    const int32_t index = addStation(std::move(s));
    if (writing()) {
        // The record's texts as they stand, but trimmed: the last field of a
        // split line keeps its leading blanks, which a list line must not carry.
        m_written[index] = 1;
        writeLine({name, TrimBlanks(f[north]), TrimBlanks(f[east]), TrimBlanks(f[6]), TrimBlanks(f[7])});
    }
}

void Calculation::stationRecord(const RawObservationRecord& r)
{
    m_station = StationState{};
    m_station.seen = true;
    m_station.name = std::string(r.name);
    m_station.backsight = std::string(r.code);
    m_station.HI = r.height;
    m_station.backsightAzimuth = r.direction;
    m_station.orientation = r.zenith;
}

// Orientation from the backsight readings: reading - orientation must be the azimuth,
// so o = HA1 - az(bs), or HA2 - pi - az(bs), or their mean with both faces. The mean
// is taken across 0/2pi correctly (HA1 359.99 gon and HA2 159.99 gon mean 359.99).
void Calculation::faceRecord(double reading, bool faceOne)
{
    if (!m_station.seen)
        return;
    if (faceOne) {
        m_station.HA1 = reading;
        m_station.face1 = true;
    } else {
        m_station.HA2 = reading;
        m_station.face2 = true;
    }
    double direction;
    if (m_station.face1 && m_station.face2) {
        double difference = std::remainder(m_station.HA2 - kPi - m_station.HA1, kTwoPi);
        direction = m_station.HA1 + difference / 2.0;
    } else {
        direction = faceOne ? reading : reading - kPi;
    }
    m_station.orientation = IntoFullCircle(direction - m_station.backsightAzimuth);
}

void Calculation::locateStation()
{
    StationState& st = m_station;
    st.tried = true;
    if (const int32_t index = knownPoint(st.name)) {
        const MapStation& s = m_tables.Stations[index];
        st.X = s.X;
        st.Y = s.Y;
        st.H = s.H;
        st.located = true;
        writeKnownPoint(index);
    } else if (const int32_t observed = m_observed.find(st.name)) {
        const MapObsPoint& p = m_tables.ObsPoints[observed];
        st.X = p.X;
        st.Y = p.Y;
        st.H = p.H;
        st.located = true;
        MapStation s;
        s.name = st.name;
        s.X = p.X;
        s.Y = p.Y;
        s.H = p.H;
        s.type = PointType::CC;
        writeKnownPoint(addStation(std::move(s)));
    } else if (m_tables.ObsPointCount() == 0 || (!m_freeOrigin.empty() && st.name == m_freeOrigin)) {
        // A free survey starts at 0, 0, 0; a later set-up on that same station (closing
        // a traverse) stands there again instead of losing its observations.
        st.X = st.Y = st.H = 0.0;
        st.located = true;
        if (m_freeOrigin.empty())
            m_freeOrigin = st.name;
    }
    writeKnownPoint(knownPoint(st.backsight));
}

void Calculation::observation(const RawObservationRecord& r)
{
    if (!m_station.seen) {
        m_leftOut.beforeFirstStation();
        return;
    }
    if (!m_station.tried)
        locateStation();
    if (!m_station.located) {
        m_leftOut.fromUnlocatedStation(m_station.name);
        return;
    }
    const bool sideShot = r.kind == RawObservationRecord::Kind::SideShot;
    double slope = r.slope;
    const AngleUnit& unit = m_header.angleUnit;
    double azimuth = r.direction - m_station.orientation;
    if (azimuth < 0)
        azimuth += kTwoPi;
    double hd = 0.0, vd = 0.0;
    ReduceSlopeDistance(m_options, slope, hd, vd, r.trig, m_station.H, m_temperature, m_pressure);

    MapObsPoint p;
    p.X = m_station.X + hd * std::cos(azimuth);
    p.Y = m_station.Y + hd * std::sin(azimuth);
    p.H = m_station.H + m_station.HI - r.height + vd;
    // A distance or height past what a number can hold gives no coordinates at all;
    // writing them as 0.000 would put a false point into the list.
    if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.H)) {
        m_leftOut.tooLarge();
        return;
    }
    p.SD = static_cast<float>(slope);
    p.Ha = static_cast<float>(unit.fromRadians(azimuth));
    p.Va = static_cast<float>(unit.fromRadians(r.zenith));
    p.Ht = static_cast<float>(r.height);
    p.type = sideShot ? PointType::SideShot : PointType::Control;
    const int32_t index = m_tables.addObsPoint(p, r.name, r.code, m_station.name, m_station.backsight);
    m_tables.widenExtents(p.X, p.Y);
    if (r.namesAStation)
        m_observed.tryEmplace(r.name, index);
    if (writing())
        m_pending->push_back({p.X, p.Y, p.H, &r, 0});
}

// The observations, block by block (ObservationPass.h).
bool Calculation::passThree()
{
    LineReader reader;
    if (!openInput(reader))
        return false;
    const ObservationPass pass(m_header, m_options, m_reading);
    pass.run(reader, [this](std::vector<BlockPiece>& pieces) { workOut(pieces); }, m_tables.Stations, m_line,
             m_block.get());
    return !failWithInput(reader);
}

// A block's records in file order, those cut short and those they take with them
// left out; the output lines they give wait in their pieces.
void Calculation::workOut(std::vector<BlockPiece>& pieces)
{
    using Kind = RawObservationRecord::Kind;
    for (BlockPiece& piece : pieces) {
        piece.lines.clear();
        m_pending = &piece.lines;
        for (const RawObservationRecord& r : piece.records) {
            const bool marked = r.kind == Kind::MarkedCutShort;
            if (m_cutShort.take(r.recordKind, marked || r.kind == Kind::CutShort, m_linesBefore + r.line,
                                r.lastLineUnended, marked))
                workOutRecord(r);
        }
        m_linesBefore += piece.lineCount;
    }
    m_pending = nullptr;
}

// Stations, their faces, observations and the weather records, in file order.
void Calculation::workOutRecord(const RawObservationRecord& r)
{
    switch (r.kind) {
    case RawObservationRecord::Kind::SideShot:
    case RawObservationRecord::Kind::Observation: observation(r); break;
    case RawObservationRecord::Kind::Station: stationRecord(r); break;
    case RawObservationRecord::Kind::FaceOne: faceRecord(r.direction, true); break;
    case RawObservationRecord::Kind::FaceTwo: faceRecord(r.direction, false); break;
    case RawObservationRecord::Kind::Weather:
        ReadTemperatureAndPressure(std::string(r.name), m_temperature, m_pressure);
        break;
    case RawObservationRecord::Kind::CutShort:
    case RawObservationRecord::Kind::MarkedCutShort:
        break;
    }
}

void Calculation::finish()
{
    m_block.reset(); // hands the last lines to the target
    // The warning first: it explains a failure that follows.
    std::string leftOut = m_leftOut.warningText(m_cutShort.count());
    const std::string controlCut = ControlPointsCutShortText(m_options.ControlFileName, m_controlCutShort);
    if (!controlCut.empty())
        leftOut += (leftOut.empty() ? "" : "\r\n") + controlCut;
    if (!leftOut.empty())
        m_context.ui.message(leftOut, MessageButtons::Ok, MessageIcon::Exclamation,
                             MessageText(m_context, 16, "Warning"));
    bool ok = true;
    if (m_target && m_target->newBytes() == 0 && !m_target->failed()) {
        // Not one point to list: the target stays as it was.
        m_target->discard();
        ReportNoData(m_context);
        ok = false;
    } else if (m_target) {
        if (!m_target->commit()) {
            ReportTargetFailure(m_context, *m_target);
            ok = false;
        } else {
            TellMarkedLastLine(m_context, *m_target);
        }
    }
    m_context.ui.setBusy(false);
    m_tables.centreView();
    FitScaleToExtents(m_tables);
    SetViewWindow(m_tables);
    if (ok)
        m_context.state.TransferStatus = "OK";
}

void Calculation::run()
{
    m_context.ui.setBusy(true);
    if (!openFiles())
        return;
    bool headerRead;
    {
        WorkerPool pool(ReadingThreads(m_reading));
        headerRead = ReadRawHeader(m_input, m_header, pool, m_reading.blockBytes);
    }
    if (!headerRead) {
        ReportInputFailure(m_context, m_input, m_header.error, !m_tablesOnly);
        return;
    }
    m_tables.clearForCalculation(m_header.stationRecords + m_header.coordinateRecords, m_header.observations);
    m_tables.reserveNameCharacters(m_header.pointNameBytes, m_header.pointCodeBytes, m_header.stationNameBytes,
                                   m_header.backsightNameBytes);
    BackgroundPrefault prefault;
    m_tables.prefaultReserved(prefault);
    prefault.start();
    m_written.assign(1, 0);
    // Room for every name they can take, so that they never rehash during the run.
    m_written.reserve(static_cast<size_t>(m_header.stationRecords + m_header.coordinateRecords) + 1);
    m_known.reserve(static_cast<size_t>(m_header.stationRecords + m_header.coordinateRecords));
    // The station filter lets a few other names through as well.
    m_observed.reserve(static_cast<size_t>(m_header.stationRecords + m_header.stationRecords / 16 + 16));
    const bool ok = loadControlPoints() && passTwo() && passThree();
    if (!ok) {
        m_block.reset();
        if (m_target)
            m_target->discard();
        m_context.ui.setBusy(false);
        return;
    }
    finish();
}

} // namespace

void CalcRawCoordinates(ConversionContext& context, const std::string& input, const std::string& output)
{
    CalcRawCoordinatesWith(context, input, output, CalcReading{});
}

void CalcRawCoordinatesWith(ConversionContext& context, const std::string& input, const std::string& output,
                            const CalcReading& reading)
{
    MapTables own;
    MapTables& tables = context.map ? *context.map : own;
    tables.clearCooPoints();
    context.state.TransferStatus = "E";
    if (input.empty() || output.empty())
        return;
    RunGuarded(context, [&] { Calculation(context, input, output, tables, reading).run(); });
}

} // namespace tavrelo
