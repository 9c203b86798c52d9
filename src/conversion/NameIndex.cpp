#include "conversion/NameIndex.h"

#include <stdexcept>

namespace tavrelo {

uint64_t NameHash(std::string_view name)
{
    uint64_t h = 14695981039346656037ULL;
    for (const char c : name)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    h ^= h >> 32;
    h *= 0x9E3779B97F4A7C15ULL;
    return h ^ (h >> 29);
}

uint32_t NameIndex::lookup(std::string_view name, uint64_t hash) const
{
    if (m_slots.empty())
        return kNone;
    const size_t mask = m_slots.size() - 1;
    const auto tag = static_cast<uint32_t>(hash >> 32);
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot slot = m_slots[i];
        if (slot.entry == kNone)
            return kNone;
        if (slot.tag != tag)
            continue;
        if (nameOf(m_entries[slot.entry - 1]) == name)
            return slot.entry;
    }
}

void NameIndex::rebuild(size_t slots)
{
    m_slots.assign(slots, Slot{kNone, 0});
    const size_t mask = slots - 1;
    for (size_t k = 0; k < m_entries.size(); ++k) {
        const uint64_t hash = hashOf(nameOf(m_entries[k]));
        size_t i = hash & mask;
        while (m_slots[i].entry != kNone)
            i = (i + 1) & mask;
        m_slots[i] = Slot{static_cast<uint32_t>(k + 1), static_cast<uint32_t>(hash >> 32)};
    }
}

void NameIndex::reserve(size_t names)
{
    m_entries.reserve(names);
    size_t slots = 16;
    while (slots < names * 2)
        slots *= 2;
    if (slots > m_slots.size())
        rebuild(slots);
}

bool NameIndex::tryEmplace(std::string_view name, int32_t value)
{
    const uint64_t hash = hashOf(name);
    if (lookup(name, hash) != kNone)
        return false;
    if (m_entries.size() >= UINT32_MAX - 1)
        throw std::length_error("too many names");
    if ((m_entries.size() + 1) * 2 > m_slots.size())
        rebuild(m_slots.empty() ? 16 : m_slots.size() * 2);
    m_entries.push_back(Entry{m_chars.size(), name.size(), value});
    m_chars.append(name.data(), name.size());
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i].entry != kNone)
        i = (i + 1) & mask;
    m_slots[i] = Slot{static_cast<uint32_t>(m_entries.size()), static_cast<uint32_t>(hash >> 32)};
    return true;
}

int32_t NameIndex::find(std::string_view name) const
{
    const uint32_t entry = lookup(name, hashOf(name));
    return entry == kNone ? 0 : m_entries[entry - 1].value;
}

} // namespace tavrelo
