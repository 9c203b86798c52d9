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
    const double a = std::fabs(value);
    if (a < 1e12) {
        const double scaled = a * 1000.0;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        // FormatMask rounds the 15-digit decimal form; away from a tie both agree.
        if (std::fabs(fraction - 0.5) > scaled * 1e-14 + 1e-9) {
            const uint64_t units = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
            char buffer[32];
            char* end = buffer + sizeof buffer;
            char* p = end;
            uint64_t u = units;
            for (int k = 0; k < 3; ++k) {
                *--p = static_cast<char>('0' + u % 10);
                u /= 10;
            }
            *--p = '.';
            do {
                *--p = static_cast<char>('0' + u % 10);
                u /= 10;
            } while (u != 0);
            if (value < 0 && units != 0)
                *--p = '-';
            out.append(p, static_cast<size_t>(end - p));
            return;
        }
    }
    out += FormatMask(value, "0.000");
}

std::string Fixed3(double value)
{
    std::string out;
    AppendFixed3(out, value);
    return out;
}

} // namespace tavrelo
