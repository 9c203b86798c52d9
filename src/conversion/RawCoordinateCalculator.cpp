#include "conversion/RawCoordinateCalculator.h"

#include "conversion/AngleUnit.h"
#include "conversion/CalcOptions.h"
#include "conversion/ConverterFiles.h"
#include "conversion/ConverterReport.h"
#include "conversion/CoordinateLine.h"
#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "conversion/NameIndex.h"
#include "conversion/RawObservationRecords.h"
#include "conversion/RawPassOne.h"
#include "conversion/RawRecordGate.h"
#include "map/core/MapTables.h"
#include "platform/LineReader.h"
#include "platform/MemoryAdvice.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"
#include "platform/WorkerPool.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <thread>
#include <unordered_set>

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

// An output line of pass 3, built by the threads once the block is worked out: a
// computed point with the record that names it, or a known point by its Stations
// index (its name stays in the table).
struct PendingLine {
    double x = 0.0, y = 0.0, h = 0.0;
    const RawObservationRecord* record = nullptr;
    int32_t knownPoint = 0;
};

// One of the pieces a block is cut into, with what the threads make of it.
struct BlockPiece {
    int64_t lineCount = 0; // the lines of its text
    std::vector<RawObservationRecord> records;
    std::vector<PendingLine> lines;
    std::string output;
};

// A block of whole lines of the input, in a buffer of its own so that the next one
// can be read while this one is worked out.
struct InputBlock {
    std::string text;
    bool lastLineUnended = false; // the file's last line, unended, ends it
    std::vector<std::string_view> pieceTexts;
    std::vector<BlockPiece> pieces;
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
    bool readBlock(LineReader& reader, InputBlock& block) const;
    void workOut(InputBlock& block);
    void readPiece(std::string_view text, bool lastLineUnended, BlockPiece& piece) const;
    void workOutRecord(const RawObservationRecord& r);
    void buildLines(BlockPiece& piece, CoordinateLine& line) const;
    void stationRecord(const RawObservationRecord& r);
    void faceRecord(double reading, bool faceOne);
    void observation(const RawObservationRecord& r);
    void locateStation();
    void warnLeftOut();
    void finish();
    bool openInput(LineReader& reader);
    bool failWithInput(LineReader& reader);

    int32_t knownPoint(std::string_view name) const;
    int32_t addStation(MapStation station);
    void writeKnownPoint(int32_t index);
    void writeCoordinates(std::string_view name, double x, double y, double h, std::string_view code);
    void writeLine(const PointTexts& texts);
    bool writing() const { return m_block != nullptr; }
    unsigned readingThreads() const
    {
        return m_reading.threads ? m_reading.threads : std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
    }

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
    int64_t m_linesBefore = 0;  // the lines of the observation pass's pieces worked out
    int64_t m_leftOut = 0;
    int64_t m_beforeStation = 0;
    int64_t m_notNumbers = 0; // observations whose coordinates overflowed
    std::vector<std::string> m_leftOutStations;
    std::unordered_set<std::string> m_leftOutSeen;
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
    m_target = OpenConverterFiles(m_context, m_reader, m_input, m_output, {m_options.ControlFileName});
    if (!m_target)
        return false;
    m_reader.close();
    m_block = std::make_unique<LineBlock>(*m_target);
    return true;
}

// The control-point file: one known point a line, in the field layout of the output
// (position p holds the quantity its list chooses), split at the output separator.
bool Calculation::loadControlPoints()
{
    const std::string& file = m_options.ControlFileName;
    if (file.empty())
        return true;
    LineReader reader;
    if (!reader.open(file)) {
        ReportConverterFailure(m_context, "Control-point file " + file + ": " + RunErrorDescription(reader.error()));
        return false;
    }
    int position[5] = {0, 0, 0, 0, 0}; // field number of quantity k, 0 none
    for (int p = 5; p >= 1; --p) {
        const int item = m_options.fields.field[p - 1];
        if (item >= 0 && item <= 4)
            position[item] = p;
    }
    const std::string separator = m_options.fields.separatorText();
    Fields f;
    std::string text;
    int32_t loaded = 0;
    while (reader.next(text)) {
        if (SplitBySeparator(text, f, separator) < 3)
            continue;
        const std::string name(TrimBlanks(f[position[0]]));
        if (name.empty() || knownPoint(name) != 0)
            continue;
        MapStation s;
        s.name = name;
        s.X = FieldValue(f[position[1]]);
        s.Y = FieldValue(f[position[2]]);
        s.H = FieldValue(f[position[3]]);
        s.code = f[position[4]];
        s.type = PointType::Station;
        m_tables.widenExtents(s.X, s.Y);
        addStation(std::move(s));
        ++loaded;
    }
    if (failWithInput(reader))
        return false;
    // Without its control points the survey would come out on a datum of its own
    // (a free survey from 0, 0, 0) while the user asked for the control file's.
    if (loaded == 0) {
        ReportConverterFailure(m_context, "Control-point file " + file + ": no control point could be read from it"
                                          " (a line needs a name and two coordinates, separated by \"" +
                                          separator + "\").");
        return false;
    }
    return true;
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
        ++m_beforeStation;
        return;
    }
    if (!m_station.tried)
        locateStation();
    if (!m_station.located) {
        ++m_leftOut;
        if (m_leftOutSeen.insert(m_station.name).second)
            m_leftOutStations.push_back(m_station.name);
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
        ++m_notNumbers;
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

// The observations, block by block: one thread works out a block's records in file
// order (stations, their orientation, the weather, the map tables) while the other
// threads read the pieces of the next block and one of them reads the block after it
// from the file; then the threads build the pieces' output lines, which are written
// in order. What a record needs of the ones before it is all done in that one
// thread, so the result does not depend on where the blocks and pieces are cut.
bool Calculation::passThree()
{
    LineReader reader;
    if (!openInput(reader))
        return false;
    InputBlock blocks[3];
    bool filled[3] = {false, false, false};
    // Declared after the blocks, so that on an exception its threads have ended
    // before the blocks they read go.
    WorkerPool pool(readingThreads());
    const size_t pieces = pool.size() * 2;
    for (InputBlock& block : blocks) {
        block.pieceTexts.resize(pieces);
        block.pieces.resize(pieces);
    }
    std::vector<CoordinateLine> builders(pieces, m_line);
    // Task 0 reads block `after` from the file, tasks 1..pieces read the pieces of `next`.
    const auto readAhead = [&](size_t next, size_t after) {
        return [&, next, after](size_t task) {
            if (task == 0)
                filled[after] = readBlock(reader, blocks[after]);
            else if (filled[next])
                readPiece(blocks[next].pieceTexts[task - 1], blocks[next].lastLineUnended,
                          blocks[next].pieces[task - 1]);
        };
    };
    filled[0] = readBlock(reader, blocks[0]);
    pool.run(pieces + 1, readAhead(0, 1));
    for (size_t k = 0; filled[k % 3]; ++k) {
        InputBlock& block = blocks[k % 3];
        pool.start(pieces + 1, readAhead((k + 1) % 3, (k + 2) % 3));
        workOut(block);
        pool.wait();
        filled[k % 3] = false;
        if (!writing())
            continue;
        if (m_line.remembersPreviousLine()) {
            for (BlockPiece& piece : block.pieces)
                buildLines(piece, m_line);
        } else {
            pool.run(pieces, [&](size_t i) { buildLines(block.pieces[i], builders[i]); });
        }
        for (const BlockPiece& piece : block.pieces) {
            m_block->text().append(piece.output);
            m_block->maybeFlush();
        }
    }
    return !failWithInput(reader);
}

bool Calculation::readBlock(LineReader& reader, InputBlock& block) const
{
    std::string_view text;
    if (!reader.nextBlock(text, m_reading.blockBytes))
        return false;
    block.text.assign(text.data(), text.size());
    block.lastLineUnended = reader.lastLineUnended();
    CutAtLineEnds(block.text, block.pieceTexts);
    return true;
}

// The block's records in file order, those cut short and those they take with them
// left out; the output lines they give wait in their pieces.
void Calculation::workOut(InputBlock& block)
{
    using Kind = RawObservationRecord::Kind;
    for (BlockPiece& piece : block.pieces) {
        piece.lines.clear();
        m_pending = &piece.lines;
        for (const RawObservationRecord& r : piece.records)
            if (m_cutShort.take(r.recordKind, r.kind == Kind::CutShort, m_linesBefore + r.line, r.lastLineUnended))
                workOutRecord(r);
        m_linesBefore += piece.lineCount;
    }
    m_pending = nullptr;
}

// A piece's records; then room for about one output line a record, made here, on
// this thread, so that the thread that works the block out finds it ready.
void Calculation::readPiece(std::string_view text, bool lastLineUnended, BlockPiece& piece) const
{
    piece.records.clear();
    piece.lineCount = ReadRawObservationRecords(text, lastLineUnended, m_header, m_options, piece.records);
    const size_t room = piece.records.size() + 64;
    if (piece.lines.capacity() < room) {
        piece.lines.clear();
        piece.lines.resize(room);
        piece.lines.clear();
    }
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
        break;
    }
}

// A computed point's line has its coordinates with three decimals, formatted on the
// stack so that building allocates nothing; a known point's line is built from its
// table entry.
void Calculation::buildLines(BlockPiece& piece, CoordinateLine& line) const
{
    piece.output.clear();
    for (const PendingLine& pending : piece.lines) {
        const MapStation* known = pending.knownPoint ? &m_tables.Stations[pending.knownPoint] : nullptr;
        const Fixed3Text north(known ? known->X : pending.x);
        const Fixed3Text east(known ? known->Y : pending.y);
        const Fixed3Text height(known ? known->H : pending.h);
        line.append(piece.output, {known ? std::string_view(known->name) : pending.record->name, north.view(),
                                   east.view(), height.view(), known ? std::string_view(known->code) : pending.record->code});
    }
}

void Calculation::warnLeftOut()
{
    const CutShortCount& cutShort = m_cutShort.count();
    if (m_leftOut == 0 && m_beforeStation == 0 && m_notNumbers == 0 && !cutShort.any())
        return;
    std::string text;
    if (m_leftOut > 0) {
        text = std::to_string(m_leftOut) + " observation(s) were left out because their station is neither known"
               " nor observed: ";
        const size_t shown = std::min<size_t>(m_leftOutStations.size(), 10);
        for (size_t i = 0; i < shown; ++i)
            text += (i ? ", " : "") + m_leftOutStations[i];
        if (m_leftOutStations.size() > shown)
            text += " and " + std::to_string(m_leftOutStations.size() - shown) + " more stations";
        text += ".";
    }
    if (m_beforeStation > 0) {
        if (!text.empty())
            text += "\r\n";
        text += std::to_string(m_beforeStation) + " observation(s) before the first station record were left out.";
    }
    if (m_notNumbers > 0) {
        if (!text.empty())
            text += "\r\n";
        text += std::to_string(m_notNumbers) +
                " observation(s) were left out because their coordinates are too large to compute.";
    }
    if (cutShort.any())
        text += (text.empty() ? "" : "\r\n") + CutShortText(cutShort);
    m_context.ui.message(text, MessageButtons::Ok, MessageIcon::Exclamation, MessageText(m_context, 16, "Warning"));
}

void Calculation::finish()
{
    m_block.reset(); // hands the last lines to the target
    // The warning first: it explains a failure that follows.
    warnLeftOut();
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
        WorkerPool pool(readingThreads());
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
