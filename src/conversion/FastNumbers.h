#pragma once
// The two number conversions of the coordinate writers' inner loops, fast on the
// common case and identical in result to the system's rules (Val, FormatMask), to
// which they hand every text or value they cannot do exactly.
#include "platform/TextRules.h"

#include <string>
#include <string_view>

namespace tavrelo {

// The leading number of a field, as Val gives it.
double FieldValue(std::string_view text);

// Appends value with the mask "0.000", as FormatMask(value, "0.000") writes it.
void AppendFixed3(std::string& out, double value);

// The same text in a buffer of its own, for a writer that formats millions of values.
class Fixed3Text {
public:
    explicit Fixed3Text(double value);
    std::string_view view() const { return m_length ? std::string_view(m_buffer, m_length) : std::string_view(m_slow); }

private:
    char m_buffer[kFixedFastRoom];
    size_t m_length;
    std::string m_slow; // a value the fast way leaves to the exact one
};
std::string Fixed3(double value);

} // namespace tavrelo
