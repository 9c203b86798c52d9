#include "conversion/RawPassOne.h"

#include "conversion/LineSplitting.h"
#include "conversion/RawRecordCodes.h"
#include "map/core/NameList.h"
#include "platform/LineEnds.h"
#include "platform/LineReader.h"
#include "platform/TextRules.h"

#include <string_view>

namespace tavrelo {

namespace {

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The text from column 16, trimmed.
std::string_view settingText(std::string_view line)
{
    return line.size() > 15 ? TrimBlanks(line.substr(15)) : std::string_view();
}

// What one piece of the file holds for the header; the pieces are added up in file order.
struct PieceCounts {
    int64_t lines = 0;
    int64_t records = 0;
    int64_t stationRecords = 0;
    int64_t coordinateRecords = 0;
    int64_t lastCoordinateLine = 0; // within the piece
    int64_t observations = 0;
    int64_t pointNameBytes = 0;
    int64_t pointCodeBytes = 0;
    int64_t stationNameBytes = 0;
    int64_t backsightNameBytes = 0;
    bool swapCoordinates = false;
    bool angleUnitSeen = false;
    std::string_view angleUnitText; // the piece's last
    std::vector<std::string_view> stationNames;
};

int64_t storedSize(std::string_view field)
{
    return static_cast<int64_t>(NameList::StoredSize(TrimBlanks(field).size()));
}

// The names are taken from the fields as the calculator splits them: bounds for the
// tables, records cut short counted with the others.
void countRecord(std::string_view line, PieceCounts& counts, FieldViews& f)
{
    ++counts.records;
    const RawRecordCode* row = FindRawRecordOfLine(line);
    if (!row)
        return;
    switch (row->kind) {
    case RawKind::SideShot:
    case RawKind::PointShot:
        ++counts.observations;
        SplitComma(line, f);
        counts.pointNameBytes += storedSize(f[row->observation.name]);
        counts.pointCodeBytes += storedSize(f[row->observation.pointCode]);
        break;
    case RawKind::Station:
        ++counts.stationRecords;
        SplitComma(line, f);
        counts.stationNameBytes += storedSize(f[2]);
        counts.backsightNameBytes += storedSize(f[4]);
        counts.stationNames.push_back(TrimBlanks(f[2]));
        break;
    case RawKind::Coordinates:
    case RawKind::MoreCoordinates:
        ++counts.coordinateRecords;
        counts.lastCoordinateLine = counts.lines;
        break;
    default:
        break;
    }
}

void countPiece(std::string_view rest, PieceCounts& counts)
{
    counts = PieceCounts{};
    std::string_view text;
    FieldViews f;
    while (NextLine(rest, text)) {
        ++counts.lines;
        const std::string_view line = TrimBlanks(text);
        if (startsWith(line, "CO")) {
            if (startsWith(line, "CO,Coord Order:") && settingText(line) == "ENZ") {
                counts.swapCoordinates = true;
            } else if (startsWith(line, "CO,Angle Units:")) {
                counts.angleUnitSeen = true;
                counts.angleUnitText = settingText(line);
            }
            continue;
        }
        countRecord(line, counts, f);
    }
}

void addPiece(const PieceCounts& piece, int64_t linesBefore, RawHeader& header)
{
    header.records += piece.records;
    header.stationRecords += piece.stationRecords;
    header.coordinateRecords += piece.coordinateRecords;
    if (piece.lastCoordinateLine > 0)
        header.lastCoordinateLine = linesBefore + piece.lastCoordinateLine;
    header.observations += piece.observations;
    header.pointNameBytes += piece.pointNameBytes;
    header.pointCodeBytes += piece.pointCodeBytes;
    header.stationNameBytes += piece.stationNameBytes;
    header.backsightNameBytes += piece.backsightNameBytes;
    header.swapCoordinates = header.swapCoordinates || piece.swapCoordinates;
    if (piece.angleUnitSeen)
        header.angleUnitText = ToUpperAscii(std::string(piece.angleUnitText));
    for (const std::string_view name : piece.stationNames) {
        header.stationNameFilter.add(name);
    }
}

} // namespace

bool ReadRawHeader(const std::string& path, RawHeader& header, WorkerPool& pool, size_t blockBytes)
{
    header = RawHeader{};
    LineReader reader;
    if (!reader.open(path)) {
        header.error = reader.error();
        return false;
    }
    std::vector<std::string_view> pieceTexts(pool.size() * 2);
    std::vector<PieceCounts> pieces(pieceTexts.size());
    int64_t lines = 0;
    std::string_view block;
    while (reader.nextBlock(block, blockBytes)) {
        CutAtLineEnds(block, pieceTexts);
        pool.run(pieces.size(), [&](size_t i) { countPiece(pieceTexts[i], pieces[i]); });
        for (const PieceCounts& piece : pieces) {
            addPiece(piece, lines, header);
            lines += piece.lines;
        }
    }
    header.error = reader.error();
    header.angleUnit = AngleUnit::FromText(header.angleUnitText);
    return header.error == 0;
}

void ReadTemperatureAndPressure(const std::string& line, double& temperature, double& pressure)
{
    if (line.find("CO,Temp:") == std::string::npos)
        return;
    temperature = Val(line.size() > 8 ? line.substr(8, 4) : std::string());
    const size_t press = line.find("Press:");
    if (press != std::string::npos)
        pressure = Val(line.substr(press + 6));
}

} // namespace tavrelo
