#pragma once
// The observation pass of the coordinate calculator, its threads and their buffers.
// The file is read in blocks of whole lines, each cut into pieces whose records
// threads read (ReadRawObservationRecords), while the calling thread works out the
// block before in file order and one more thread reads the block after it from the
// file; then the threads build the pieces' output lines, which are written in order.
// All that a record needs of the records before it is done on the calling thread, so
// the result does not depend on where the blocks and pieces are cut.
#include "conversion/ConverterFiles.h"
#include "conversion/CoordinateLine.h"
#include "conversion/RawCoordinateCalculator.h"
#include "conversion/RawObservationRecords.h"
#include "map/core/MapTables.h"
#include "platform/LineReader.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavrelo {

// An output line of the pass, built once its block is worked out: a computed point
// with the record that names it, or a known point by its Stations index (its name
// stays in the table).
struct PendingLine {
    double x = 0.0, y = 0.0, h = 0.0;
    const RawObservationRecord* record = nullptr;
    int32_t knownPoint = 0;
};

// One of the pieces a block is cut into, with what the threads make of it.
struct BlockPiece {
    int64_t lineCount = 0; // the lines of its text
    std::vector<RawObservationRecord> records;
    std::vector<PendingLine> lines; // filled by the work on the block, with room for a line a record
    std::string output;
};

// The threads a run reads with: as many as reading asks, else four, or fewer on a
// machine with fewer processors (more gain nothing: the records are worked out one
// after the other).
unsigned ReadingThreads(const CalcReading& reading);

class ObservationPass {
public:
    // The pieces of one block, in file order, worked out on the calling thread.
    using WorkOut = std::function<void(std::vector<BlockPiece>& pieces)>;

    ObservationPass(const RawHeader& header, const ReductionSettings& settings, const CalcReading& reading)
        : m_header(header), m_settings(settings), m_reading(reading) {}

    // Reads reader, opened, to its end and hands every block to workOut. With an
    // output, the pieces' lines are then built by line (known points from stations)
    // and written to it; the threads build with copies of line unless a line depends
    // on the line before it. A failed read ends the pass (reader.error()).
    void run(LineReader& reader, const WorkOut& workOut, const std::vector<MapStation>& stations,
             CoordinateLine& line, LineBlock* output) const;

private:
    const RawHeader& m_header;
    const ReductionSettings& m_settings;
    CalcReading m_reading;
};

} // namespace tavrelo
