#include "conversion/FastNumbers.h"

#include "platform/TextRules.h"

#include <cmath>
#include <cstdint>

namespace tavrelo {

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Kept out of line, so that the fast path needs no room for the string.
[[gnu::noinline]] double fullRuleValue(std::string_view text) { return Val(std::string(text)); }

} // namespace

double FieldValue(std::string_view text)
{
    // Fast path: [sign] digits [. digits] and nothing else, at most 15 digits. The
    // mantissa and the power of ten are both exact doubles, so one division gives the
    // correctly rounded value that strtod gives too.
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    const char* const firstDigit = p;
    uint64_t mantissa = 0;
    while (p < end && isDigit(*p))
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - '0');
    ptrdiff_t decimals = 0;
    const bool point = p < end && *p == '.';
    if (point) {
        const char* const firstDecimal = ++p;
        while (p < end && isDigit(*p))
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - '0');
        decimals = p - firstDecimal;
    }
    const ptrdiff_t digits = p - firstDigit - (point ? 1 : 0);
    if (p == end && digits > 0 && digits <= 15) {
        const double value = static_cast<double>(mantissa) / kPow10[decimals];
        return negative ? -value : value;
    }
    return fullRuleValue(text);
}

Fixed3Text::Fixed3Text(double value) : m_length(FormatFixedFast(m_buffer, value, 3))
{
    if (m_length == 0)
        m_slow = FormatMask(value, "0.000");
}

void AppendFixed3(std::string& out, double value)
{
    const Fixed3Text text(value);
    out.append(text.view().data(), text.view().size());
}

std::string Fixed3(double value)
{
    std::string out;
    AppendFixed3(out, value);
    return out;
}

} // namespace tavrelo
