#include "map/core/NameList.h"

#include "platform/MemoryAdvice.h"

namespace tavrelo {

void NameList::clear()
{
    m_chars.clear();
    m_chars.push_back('\0'); // entry 0: the empty name at place 0
    m_entries.assign(1, 0);
}

size_t NameList::StoredSize(size_t length)
{
    size_t bytes = length + 1;
    for (; length >= 0x80; length >>= 7)
        ++bytes;
    return bytes;
}

void NameList::reserve(size_t entries, size_t storedBytes)
{
    m_entries.reserve(entries + 1);
    m_chars.reserve(m_chars.size() + storedBytes);
    AdviseLargePages(m_entries.data(), m_entries.capacity() * sizeof(uint32_t));
    AdviseLargePages(m_chars.data(), m_chars.capacity());
}

void NameList::prefaultReserved(BackgroundPrefault& prefault) const
{
    prefault.add(m_entries.data() + m_entries.size(), (m_entries.capacity() - m_entries.size()) * sizeof(uint32_t));
    prefault.add(m_chars.data() + m_chars.size(), m_chars.capacity() - m_chars.size());
}

std::string_view NameList::at(uint32_t place) const
{
    const char* p = m_chars.data() + place;
    size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*p++);
        length |= static_cast<size_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            break;
    }
    return std::string_view(p, length);
}

void NameList::push_back(std::string_view name)
{
    const uint32_t last = m_entries.back();
    if (m_entries.size() > 1 && name == at(last)) {
        m_entries.push_back(last);
        return;
    }
    m_entries.push_back(static_cast<uint32_t>(m_chars.size()));
    size_t length = name.size();
    while (length >= 0x80) {
        m_chars.push_back(static_cast<char>(0x80 | (length & 0x7F)));
        length >>= 7;
    }
    m_chars.push_back(static_cast<char>(length));
    m_chars.append(name.data(), name.size());
}

std::string_view NameList::operator[](int64_t i) const
{
    if (i < 0 || i >= static_cast<int64_t>(m_entries.size()))
        return {};
    return at(m_entries[static_cast<size_t>(i)]);
}

} // namespace tavrelo
