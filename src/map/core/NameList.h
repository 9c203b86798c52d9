#pragma once
// A list of names packed into one character buffer, numbered from 1 like the map
// tables (entry 0 is always there and empty). A name pushed right after an equal one
// shares its characters, so the station and backsight names repeated for every
// observed point cost 8 bytes an entry.
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
    void reserve(size_t entries, size_t characters);
    // Appends a name as entry count() + 1.
    void push_back(std::string_view name);

    // Entry i (0..count()); "" outside that range.
    std::string_view operator[](int64_t i) const;
    // The number of entries in use (entry 0 not counted).
    int32_t count() const { return static_cast<int32_t>(m_entries.size() - 1); }

private:
    struct Entry {
        uint32_t offset;
        uint32_t length;
    };
    std::string m_chars;
    std::vector<Entry> m_entries;
};

} // namespace tavrelo
