#pragma once
// A list of names packed into one character buffer, numbered from 1 like the map
// tables (entry 0 is always there and empty). Each entry is the 4-byte place of its
// name in the buffer, where the name stands after its length; a name pushed right
// after an equal one shares its characters, so the station and backsight names
// repeated for every observed point cost 4 bytes an entry.
#include "platform/MemoryAdvice.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo {

class NameList {
public:
    NameList() { clear(); }

    // Empties the list down to its unused entry 0.
    void clear();
    // Room for that many entries and for names that take storedBytes (StoredSize of
    // each; a bound: what is not used is never touched), so that a long run grows
    // without copying.
    void reserve(size_t entries, size_t storedBytes);
    // The bytes a name of that length takes in the buffer: its length, then itself.
    static size_t StoredSize(size_t length);
    // Appends a name as entry count() + 1.
    void push_back(std::string_view name);
    // Hands the room reserved and not yet used to a prefaulter.
    void prefaultReserved(BackgroundPrefault& prefault) const;

    // Entry i (0..count()); "" outside that range.
    std::string_view operator[](int64_t i) const;
    // The number of entries in use (entry 0 not counted).
    int32_t count() const { return static_cast<int32_t>(m_entries.size() - 1); }

private:
    std::string_view at(uint32_t place) const;

    std::string m_chars; // per distinct name: its length (7 bits a byte, low first), its characters
    std::vector<uint32_t> m_entries;
};

} // namespace tavrelo
