#pragma once
// Point-number and code conversion of the KOF writers: a point name's leading two-digit
// number can be replaced by a text from a conversion file, and a code can be split at
// its last dash into the code and a tail.
#include "conversion/ConversionContext.h"

#include <array>
#include <string>

namespace tavrelo {

// The texts of the conversion file by number. Entries 0 to 199 are loaded; only 0 to 99
// are ever used, as a name's first two digits can name no other.
class KofPointTable {
public:
    static constexpr int kLoadedEntries = 200;

    const std::string& entry(int n) const { return m_entries.at(n); }
    // Fills the entries that the file's "n=text" lines name and leaves the others.
    void loadLines(const std::string& bytes);
    // The same for one line of the file.
    void loadLine(const std::string& line);
    void clear() { m_entries.fill(std::string()); }

private:
    std::array<std::string, 201> m_entries;
};

// Loads kofpointFile into table, which then holds that file's entries and no other:
// a table is never carried over from one file to another. Returns "" on success and
// "E" when the name is empty (silently, the table left empty) or the file cannot be
// used: missing or shorter than 4 bytes ("<file> not found", messages 29 and 30),
// unreadable (the reason), or holding a line longer than any such file has (what the
// reader says), each told in a box titled "Load <file>". When target is given, the
// box adds that the conversion into it was stopped and target not changed.
// A file that fails changes nothing in the table.
std::string LoadPointNumberTable(ConversionContext& context, const std::string& kofpointFile, KofPointTable& table,
                                 const std::string& target = std::string());

// The trimmed name; when its first two characters are both digits and the table has a
// text for that number, the text replaces them ("12345" with 12=RV gives "RV345").
std::string ConvertPointNumber(const std::string& name, const KofPointTable& table);

// Splits code at its last "-": code keeps what precedes it, tail receives what follows.
// Without a dash the code stays and the tail is empty.
void SplitLastDash(std::string& code, std::string& tail);

} // namespace tavrelo
