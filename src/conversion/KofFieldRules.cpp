#include "conversion/KofFieldRules.h"

namespace tavrelo {

std::string KofFieldRules::pointName(const std::string& name) const
{
    if (m_options.UsePointNumberConversion == 1)
        return ConvertPointNumber(name, m_table).substr(0, kNameLength);
    return name.substr(0, kNameLength);
}

std::string KofFieldRules::splitCode(const std::string& code, std::string& tail) const
{
    tail.clear();
    if (m_options.UseCodeConversion != 1)
        return plainCode(code);
    std::string head = code;
    SplitLastDash(head, tail);
    return plainCode(head);
}

} // namespace tavrelo
