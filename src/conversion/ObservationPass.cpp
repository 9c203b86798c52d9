#include "conversion/ObservationPass.h"

#include "conversion/FastNumbers.h"
#include "platform/WorkerPool.h"

#include <algorithm>
#include <string_view>
#include <thread>

namespace tavrelo {

namespace {

// A block of whole lines of the input, in a buffer of its own so that the next one
// can be read while this one is worked out.
struct InputBlock {
    std::string text;
    bool lastLineUnended = false; // the file's last line, unended, ends it
    std::vector<std::string_view> pieceTexts;
    std::vector<BlockPiece> pieces;
};

bool readBlock(LineReader& reader, size_t blockBytes, InputBlock& block)
{
    std::string_view text;
    if (!reader.nextBlock(text, blockBytes))
        return false;
    block.text.assign(text.data(), text.size());
    block.lastLineUnended = reader.lastLineUnended();
    CutAtLineEnds(block.text, block.pieceTexts);
    return true;
}

// A piece's records; then room for about one output line a record, made here, on
// this thread, so that the thread that works the block out finds it ready.
void readPiece(std::string_view text, bool lastLineUnended, const RawHeader& header,
               const ReductionSettings& settings, BlockPiece& piece)
{
    piece.records.clear();
    piece.lineCount = ReadRawObservationRecords(text, lastLineUnended, header, settings, piece.records);
    const size_t room = piece.records.size() + 64;
    if (piece.lines.capacity() < room) {
        piece.lines.clear();
        piece.lines.resize(room);
        piece.lines.clear();
    }
}

// A computed point's line has its coordinates with three decimals, formatted on the
// stack so that building allocates nothing; a known point's line is built from its
// table entry.
void buildLines(BlockPiece& piece, CoordinateLine& line, const std::vector<MapStation>& stations)
{
    piece.output.clear();
    for (const PendingLine& pending : piece.lines) {
        const MapStation* known = pending.knownPoint ? &stations[pending.knownPoint] : nullptr;
        const Fixed3Text north(known ? known->X : pending.x);
        const Fixed3Text east(known ? known->Y : pending.y);
        const Fixed3Text height(known ? known->H : pending.h);
        line.append(piece.output, {known ? std::string_view(known->name) : pending.record->name, north.view(),
                                   east.view(), height.view(), known ? std::string_view(known->code) : pending.record->code});
    }
}

} // namespace

unsigned ReadingThreads(const CalcReading& reading)
{
    return reading.threads ? reading.threads : std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
}

void ObservationPass::run(LineReader& reader, const WorkOut& workOut, const std::vector<MapStation>& stations,
                          CoordinateLine& line, LineBlock* output) const
{
    InputBlock blocks[3];
    bool filled[3] = {false, false, false};
    // Declared after the blocks, so that on an exception its threads have ended
    // before the blocks they read go.
    WorkerPool pool(ReadingThreads(m_reading));
    const size_t pieces = pool.size() * 2;
    for (InputBlock& block : blocks) {
        block.pieceTexts.resize(pieces);
        block.pieces.resize(pieces);
    }
    std::vector<CoordinateLine> builders(pieces, line);
    // Task 0 reads block `after` from the file, tasks 1..pieces read the pieces of `next`.
    const auto readAhead = [&](size_t next, size_t after) {
        return [&, next, after](size_t task) {
            if (task == 0)
                filled[after] = readBlock(reader, m_reading.blockBytes, blocks[after]);
            else if (filled[next])
                readPiece(blocks[next].pieceTexts[task - 1], blocks[next].lastLineUnended, m_header, m_settings,
                          blocks[next].pieces[task - 1]);
        };
    };
    filled[0] = readBlock(reader, m_reading.blockBytes, blocks[0]);
    pool.run(pieces + 1, readAhead(0, 1));
    for (size_t k = 0; filled[k % 3]; ++k) {
        InputBlock& block = blocks[k % 3];
        pool.start(pieces + 1, readAhead((k + 1) % 3, (k + 2) % 3));
        workOut(block.pieces);
        pool.wait();
        filled[k % 3] = false;
        if (!output)
            continue;
        if (line.remembersPreviousLine()) {
            for (BlockPiece& piece : block.pieces)
                buildLines(piece, line, stations);
        } else {
            pool.run(pieces, [&](size_t i) { buildLines(block.pieces[i], builders[i], stations); });
        }
        for (const BlockPiece& piece : block.pieces) {
            output->text().append(piece.output);
            output->maybeFlush();
        }
    }
}

} // namespace tavrelo
