#pragma once
// Names mapped to numbers, for the lookups a calculation makes once or more for each
// of a million records. The names are kept in one character buffer and their entries
// in one array, both growing at their ends; the table that finds them holds 8 bytes
// a slot. Fresh memory is dear (the system clears every page at its first use), so
// the whole index of 50 000 names takes about 2 MB. Names are compared whole and
// case-sensitively.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo {

// The hash of a name both halves of which spread well (FNV-1a, then mixed).
uint64_t NameHash(std::string_view name);

class NameIndex {
public:
    NameIndex() = default;

    // Room for that many names without growing.
    void reserve(size_t names);
    // Adds name with value unless it is there already; false when it was (its value stays).
    bool tryEmplace(std::string_view name, int32_t value);
    // The value of name, or 0 when it is not there.
    int32_t find(std::string_view name) const;
    bool contains(std::string_view name) const { return lookup(name, hashOf(name)) != kNone; }
    size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        uint64_t offset; // of the name in m_chars
        uint64_t length;
        int32_t value;
    };
    struct Slot {
        uint32_t entry; // 1 + index into m_entries; 0 free
        uint32_t tag;   // the hash's high half, to pass over most other names unread
    };
    static constexpr uint32_t kNone = 0;

    static uint64_t hashOf(std::string_view name) { return NameHash(name); }
    // 1 + the entry of name, or kNone.
    uint32_t lookup(std::string_view name, uint64_t hash) const;
    void rebuild(size_t slots);
    std::string_view nameOf(const Entry& e) const { return std::string_view(m_chars).substr(e.offset, e.length); }

    std::string m_chars;
    std::vector<Entry> m_entries;
    std::vector<Slot> m_slots;      // a power of two, at most half full
};

} // namespace tavrelo
