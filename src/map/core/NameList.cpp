#include "map/core/NameList.h"

namespace tavrelo {

void NameList::clear()
{
    m_chars.clear();
    m_entries.assign(1, Entry{0, 0});
}

void NameList::reserve(size_t entries, size_t characters)
{
    m_entries.reserve(entries + 1);
    m_chars.reserve(characters);
}

void NameList::push_back(std::string_view name)
{
    const Entry& last = m_entries.back();
    if (m_entries.size() > 1 && name == std::string_view(m_chars.data() + last.offset, last.length)) {
        m_entries.push_back(last);
        return;
    }
    const Entry entry{static_cast<uint32_t>(m_chars.size()), static_cast<uint32_t>(name.size())};
    m_chars.append(name.data(), name.size());
    m_entries.push_back(entry);
}

std::string_view NameList::operator[](int64_t i) const
{
    if (i < 0 || i >= static_cast<int64_t>(m_entries.size()))
        return {};
    const Entry& e = m_entries[static_cast<size_t>(i)];
    return std::string_view(m_chars.data() + e.offset, e.length);
}

} // namespace tavrelo
