#include "conversion/CoordinateLine.h"

#include "conversion/CoordinateFieldOptions.h"

#include <utility>

namespace tavrelo {

CoordinateLine::CoordinateLine(const std::array<int, 5>& order, std::string separator, Rules rules)
    : m_order(order), m_separator(std::move(separator)), m_rules(rules)
{
}

void CoordinateLine::append(std::string& out, const PointTexts& point)
{
    for (int k = 0; k < 5; ++k) {
        const int item = m_order[k];
        if (m_rules == Rules::Calculator && k == 4 && item == FieldItem::None) {
            m_previous[k].clear();
            break;
        }
        if (k > 0)
            out += m_separator;
        std::string_view text;
        switch (item) {
        case FieldItem::PointNumber: text = point.name; break;
        case FieldItem::Northing: text = point.northing; break;
        case FieldItem::Easting: text = point.easting; break;
        case FieldItem::Elevation: text = point.elevation; break;
        case FieldItem::Code: text = point.code; break;
        case FieldItem::Ignore:
            if (m_rules == Rules::Calculator) {
                out += m_previous[k];
                continue;
            }
            break;
        default: break;
        }
        out.append(text.data(), text.size());
        if (m_rules == Rules::Calculator)
            m_previous[k].assign(text.data(), text.size());
    }
    out += "\r\n";
}

} // namespace tavrelo
