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
// The last value of each kind: observations (SS, F1, F2: target height, slope
// distance and the two angles in fields 3 to 6; CP, SO one field later), stations
// (instrument height and the backsight angles, fields 6 to 8) and coordinate records
// (the three coordinates, fields 4 to 6).
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrelo {

// The field number of the last value of a record with this code; 0 for comments and
// codes no reader takes values from.
int LastValueField(std::string_view code);

// Whether the record ends before its last value: it holds fewer fields, counted by
// its commas (a field after the last comma counts even when empty).
bool IsCutShort(std::string_view code, std::string_view line);

// What a run left out, for the warning after it.
struct CutShortCount {
    int64_t records = 0;      // records cut short
    int64_t firstLine = 0;    // the line number (from 1) of the first of them
    int64_t afterStation = 0; // observations left out with the station record before them

    void add(int64_t line)
    {
        if (records++ == 0)
            firstLine = line;
    }
    bool any() const { return records > 0 || afterStation > 0; }
};

// The reading of one pass over a raw file, record by record in file order.
class CutShortRecords {
public:
    // Whether the record on line lineNumber is to be read; false for a record cut short
    // and for an observation after a station record cut short, each counted. Readers
    // hand in the records they take values from.
    bool take(std::string_view code, std::string_view line, int64_t lineNumber);
    const CutShortCount& count() const { return m_count; }

private:
    CutShortCount m_count;
    bool m_stationCut = false;
};

// The warning's text: how many records were left out and the first one's line; ""
// when none was.
std::string CutShortText(const CutShortCount& count);

} // namespace tavrelo
