#pragma once
// Records of a raw data file cut short: a record that ends before the last value of
// its kind (a transfer that ended early leaves one at the end of the file, and a file
// appended to after it in the middle). Read as it stands, its missing values would
// read as 0: a side shot without its zenith angle lies on the station, straight up.
// Every raw-data reader leaves such a record out, and with a station record cut short
// the observations after it up to the next station record, which would otherwise be
// taken from the station before. A value that is there but empty ("SS,P1,,12.5,...")
// is no cut: it reads as it always did.
//
// A file whose lines end in line ends but whose last line has none was cut off there
// too: its last record is cut short whatever it holds, since a value cut inside
// ("...,100.0000,1" for "...,100.0000,100.0000") reads as a whole one. A file without
// any line end is one whole line, read as ever.
//
// The field of each record's last value stands in the table of record codes
// (RawRecordCodes.h).
//
// A record that the program found cut off as the last line of a file it appended to
// (a download that went on where an earlier one had been cut off) was made a comment
// then, marked kCutShortMark: "CO,Cut short: SS,P2,1.500,50.000,100.0000,1". Every
// byte of it is kept, and every reader leaves it out and tells it as a record cut short.
//
// Readers meet these rules through the gate (RawRecordGate.h), which hands them only
// the records to read.
#include "conversion/RawRecordCodes.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tavrelo {

constexpr std::string_view kCutShortMark = "CO,Cut short: ";

// The record a line marked cut short holds (the line trimmed of blanks), when it is
// one with values; nullptr for any other line.
const RawRecordCode* MarkedCutShort(std::string_view line);

// Whether a record ends before its last value: it holds fewer fields, counted by its
// commas (a field after the last comma counts even when empty); or, with
// lastLineUnended (the file's last line, unended: LineReader::lastLineUnended), whether
// it is a record readers take values from at all. Inline, as the rules below: every
// record of every raw file passes them.
inline bool IsCutShort(const RawRecordCode& record, std::string_view line, bool lastLineUnended)
{
    if (lastLineUnended && record.lastValue > 0)
        return true;
    // Field n is there when n - 1 commas are.
    int commas = record.lastValue - 1;
    const char* at = line.data();
    const char* const end = at + line.size();
    while (commas > 0) {
        const void* comma = std::memchr(at, ',', static_cast<size_t>(end - at));
        if (!comma)
            return true;
        at = static_cast<const char*>(comma) + 1;
        --commas;
    }
    return false;
}

// What a run left out, for the warning after it.
struct CutShortCount {
    int64_t records = 0;      // records cut short
    int64_t firstLine = 0;    // the line number (from 1) of the first of them
    int64_t afterStation = 0; // observations left out with the station record before them
    int64_t unendedLine = 0;  // the line of the last record, cut short without a line end; 0 none
    int64_t marked = 0;       // records marked cut short (kCutShortMark)
    int64_t firstMarkedLine = 0;

    void add(int64_t line, bool lastLineUnended = false)
    {
        if (records++ == 0)
            firstLine = line;
        if (lastLineUnended)
            unendedLine = line;
    }
    void addMarked(int64_t line)
    {
        if (marked++ == 0)
            firstMarkedLine = line;
    }
    bool any() const { return records > 0 || afterStation > 0 || marked > 0; }
};

// The rule of one pass over a raw file, record by record in file order: which records
// the reader takes values from, and the count of those it leaves out.
class CutShortRecords {
public:
    // A record of a kind the reader takes values from, on line lineNumber, cut short
    // or not (IsCutShort, or marked so): false, and counted, for a record cut short and
    // for an observation after a station record cut short.
    bool take(RawKind kind, bool cutShort, int64_t lineNumber, bool lastLineUnended, bool marked = false)
    {
        const bool station = kind == RawKind::Station;
        if (cutShort) {
            if (marked)
                m_count.addMarked(lineNumber);
            else
                m_count.add(lineNumber, lastLineUnended);
            m_stationCut = m_stationCut || station;
            return false;
        }
        if (station)
            m_stationCut = false;
        else if (m_stationCut && kRawObservations.has(kind)) {
            ++m_count.afterStation;
            return false;
        }
        return true;
    }
    // A record of a kind the reader takes no values from: an observation after a
    // station record cut short is counted as left out with it all the same, so that
    // every reader of stations counts the same observations (face readings among them).
    void passOver(RawKind kind)
    {
        if (m_stationCut && kRawObservations.has(kind))
            ++m_count.afterStation;
    }
    const CutShortCount& count() const { return m_count; }

private:
    CutShortCount m_count;
    bool m_stationCut = false;
};

// The warning's text: how many records were left out, the first one's line and the
// line of a last one without a line end; "" when none was.
std::string CutShortText(const CutShortCount& count);

} // namespace tavrelo
