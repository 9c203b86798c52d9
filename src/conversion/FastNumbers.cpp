#include "conversion/FastNumbers.h"

#include "platform/TextRules.h"

#include <cmath>
#include <cstdint>

namespace tavrelo {

namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

double FieldValue(std::string_view text)
{
    // Fast path: [sign] digits [. digits] and nothing else, at most 18 digits. The
    // mantissa and the power of ten are both exact doubles, so one division gives the
    // correctly rounded value that strtod gives too.
    size_t i = 0;
    const size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    while (i < n && isDigit(text[i])) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(text[i++] - '0');
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(text[i++] - '0');
            ++digits;
            ++decimals;
        }
    }
    if (i == n && digits > 0 && digits <= 15) {
        const double value = static_cast<double>(mantissa) / kPow10[decimals];
        return negative ? -value : value;
    }
    return Val(std::string(text));
}

void AppendFixed3(std::string& out, double value)
{
    char buffer[kFixedFastRoom];
    if (const size_t length = FormatFixedFast(buffer, value, 3))
        out.append(buffer, length);
    else
        out += FormatMask(value, "0.000");
}

std::string Fixed3(double value)
{
    std::string out;
    AppendFixed3(out, value);
    return out;
}

} // namespace tavrelo
