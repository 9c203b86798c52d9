#include "conversion/CoordinateLine.h"

#include "conversion/CoordinateFieldOptions.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tavrelo {

CoordinateLine::CoordinateLine(const std::array<int, 5>& order, std::string separator, Rules rules)
    : m_order(order), m_separator(std::move(separator)), m_rules(rules),
      m_remembers(rules == Rules::Calculator && std::find(order.begin(), order.end(), FieldItem::Ignore) != order.end())
{
}

// The five texts are gathered first and copied into the output in one go: the
// calculator writes a line for every observation.
void CoordinateLine::append(std::string& out, const PointTexts& point)
{
    std::string_view texts[5];
    int positions = 5;
    for (int k = 0; k < 5; ++k) {
        const int item = m_order[k];
        if (m_rules == Rules::Calculator && k == 4 && item == FieldItem::None) {
            if (m_remembers)
                m_previous[k].clear();
            positions = 4;
            break;
        }
        switch (item) {
        case FieldItem::PointNumber: texts[k] = point.name; break;
        case FieldItem::Northing: texts[k] = point.northing; break;
        case FieldItem::Easting: texts[k] = point.easting; break;
        case FieldItem::Elevation: texts[k] = point.elevation; break;
        case FieldItem::Code: texts[k] = point.code; break;
        case FieldItem::Ignore:
            if (m_rules == Rules::Calculator) {
                texts[k] = m_previous[k]; // as the previous line had it; not remembered anew
                continue;
            }
            break;
        default: break;
        }
        if (m_remembers)
            m_previous[k].assign(texts[k].data(), texts[k].size());
    }
    size_t length = (positions - 1) * m_separator.size() + 2;
    for (int k = 0; k < positions; ++k)
        length += texts[k].size();
    const size_t at = out.size();
    out.resize(at + length);
    char* to = out.data() + at;
    for (int k = 0; k < positions; ++k) {
        if (k > 0) {
            std::memcpy(to, m_separator.data(), m_separator.size());
            to += m_separator.size();
        }
        if (!texts[k].empty()) // an empty field's view may have no characters at all
            std::memcpy(to, texts[k].data(), texts[k].size());
        to += texts[k].size();
    }
    to[0] = '\r';
    to[1] = '\n';
}

} // namespace tavrelo
