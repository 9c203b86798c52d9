#include "conversion/RawRecordGate.h"

#include "platform/LineEnds.h"

namespace tavrelo {

RawLineRecord RecordOfLine(std::string_view line, bool lastLineUnended, RawKinds reads)
{
    RawLineRecord record;
    record.row = FindRawRecordOfLine(line);
    if (record.row && record.row->kind == RawKind::Comment)
        if (const RawRecordCode* marked = MarkedCutShort(line)) {
            record.row = marked;
            record.marked = true;
        }
    record.read = record.row && reads.has(record.row->kind);
    record.cutShort = record.read && (record.marked || IsCutShort(*record.row, line, lastLineUnended));
    return record;
}

bool RawRecordGate::open(const std::string& path)
{
    m_records = CutShortRecords();
    return m_reader.open(path);
}

bool RawRecordGate::next(RawLine& line)
{
    line.record = nullptr;
    if (!m_reader.next(line.text))
        return false;
    line.number = m_reader.linesRead();
    const bool lastLineUnended = m_reader.lastLineUnended();
    const RawLineRecord record = RecordOfLine(line.text, lastLineUnended, m_reads);
    if (!record.row)
        return true;
    if (!record.read)
        m_records.passOver(record.row->kind);
    else if (m_records.take(record.row->kind, record.cutShort, line.number, lastLineUnended, record.marked))
        line.record = record.row;
    // A record marked cut short is left out as a record, and is the comment it is.
    if (record.marked && m_reads.has(RawKind::Comment))
        line.record = FindRawRecord("CO");
    return true;
}

RawPieceLines::RawPieceLines(std::string_view piece, bool lastLineUnended, RawKinds reads)
    : m_rest(piece), m_lastLineUnended(lastLineUnended && !EndsLine(piece)), m_reads(reads)
{
}

bool RawPieceLines::next(RawPieceLine& line)
{
    if (!NextLine(m_rest, line.text))
        return false;
    line.number = ++m_lines;
    line.lastLineUnended = m_lastLineUnended && m_rest.empty();
    line.record = RecordOfLine(line.text, line.lastLineUnended, m_reads);
    return true;
}

} // namespace tavrelo
