#include "platform/TextRules.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace tavrelo {

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The characters of the text with the skipped ones removed, up to the first
// character that cannot belong to a number any more.
std::string packed(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!isSkipped(c))
            out += c;
    return out;
}

double radixInteger(const std::string& digits, int radix)
{
    int64_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        if (d >= radix)
            break;
        value = value * radix + d;
        if (value > 0xFFFFFFFFLL)
            break;
    }
    // Like the original runtime, up to 16 hex digits of two's complement: a value
    // that fits 16 bits with its top bit set is negative.
    if (value >= 0x8000 && value <= 0xFFFF)
        return static_cast<double>(value - 0x10000);
    if (value >= 0x80000000LL && value <= 0xFFFFFFFFLL)
        return static_cast<double>(value - 0x100000000LL);
    return static_cast<double>(value);
}

int64_t roundHalfEven(double value)
{
    double r = std::nearbyint(value); // default rounding mode is to nearest, ties to even
    return static_cast<int64_t>(r);
}

// Val's reading: false for a text without a number and for one whose value lies
// outside what a double holds ("1e999", "1e-400"), which Val reads as 0.
bool readNumber(const std::string& text, double& value)
{
    value = 0.0;
    const std::string s = packed(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H' || kind == 'O') {
            value = radixInteger(s.substr(2), kind == 'H' ? 16 : 8);
            return true;
        }
    }
    size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number += s[i++];
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        number += s[i++];
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            number += s[i++];
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        bool expDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            exponent += s[j++];
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    // from_chars reads "." whatever the locale, where strtod would take the locale's comma.
    const char* first = number.data();
    if (*first == '+')
        ++first;
    double read = 0.0;
    if (std::from_chars(first, number.data() + number.size(), read).ec != std::errc() || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

// Only an exponent or a run of some 300 digits takes a number out of a double's range.
bool mayLeaveRange(std::string_view text)
{
    return text.size() > 300 || text.find_first_of("eEdD") != std::string_view::npos;
}

} // namespace

double Val(const std::string& text)
{
    double value;
    return readNumber(text, value) ? value : 0.0;
}

bool HoldsNumber(std::string_view text)
{
    // Val's scan without building the number: its skipped characters, a radix prefix
    // or a sign, then a digit before or after the decimal point.
    size_t i = 0;
    const auto skip = [&] {
        while (i < text.size() && isSkipped(text[i]))
            ++i;
    };
    const auto isDigit = [&](int radix) {
        if (i >= text.size())
            return false;
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        return radix == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c >= '0' && c < '0' + radix;
    };
    skip();
    if (i < text.size() && text[i] == '&') {
        ++i;
        skip();
        const char kind = i < text.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[i]))) : 0;
        if (kind == 'H' || kind == 'O') {
            ++i;
            skip();
            return isDigit(kind == 'H' ? 16 : 8);
        }
        return false;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
        skip();
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        skip();
    }
    if (!isDigit(10))
        return false;
    double value;
    return !mayLeaveRange(text) || readNumber(std::string(text), value);
}

bool IsCoordinateField(std::string_view field)
{
    for (const char c : field)
        if (!isSkipped(c))
            return HoldsNumber(field);
    return true;
}

int16_t CInt(double value)
{
    if (!std::isfinite(value) || value < -32768.5 || value > 32767.5)
        throw OverflowError();
    const int64_t r = roundHalfEven(value);
    if (r < -32768 || r > 32767)
        throw OverflowError();
    return static_cast<int16_t>(r);
}

int32_t CLng(double value)
{
    if (!std::isfinite(value) || value < -2147483648.5 || value > 2147483647.5)
        throw OverflowError();
    const int64_t r = roundHalfEven(value);
    if (r < INT32_MIN || r > INT32_MAX)
        throw OverflowError();
    return static_cast<int32_t>(r);
}

std::string LTrim(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string RTrim(const std::string& text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string Trim(const std::string& text) { return std::string(TrimBlanks(text)); }

std::string_view TrimBlanksAndTabs(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string NumberText(double value)
{
    if (value == 0.0)
        return "0";
    char buffer[64];
    // Fifteen significant digits, as the original runtime printed a double; to_chars
    // writes "." whatever the locale.
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, printed.ptr);
    // "0.5" prints as ".5" in the original runtime; the readers accept both, and the
    // settings file carries numbers >= 1, so the leading zero is kept for clarity.
    return text;
}

std::string PrintNumber(double value)
{
    std::string digits = NumberText(std::fabs(value));
    return (value < 0 ? "-" : " ") + digits + " ";
}

namespace {

// The decimal digits of value rounded to `decimals` places (halves away from zero on
// the 15-significant-digit decimal value), without sign or point, at least
// decimals + 1 of them.
std::string roundedDigits(double value, int decimals)
{
    // Round the decimal value the user sees (15 significant digits), halves away from
    // zero: 2.345 with "0.00" is 2.35, not the 2.34 of its binary value. The rounding
    // is done on the digit string so no binary fraction can creep back in.
    char buffer[40];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const char* e = std::find(buffer, printed.ptr, 'e');
    char mantissa[16];
    int length = 0;
    for (const char* p = buffer; p < e; ++p)
        if (*p != '.')
            mantissa[length++] = *p;
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, printed.ptr, exponent);
    // mantissa[k] has the weight 10^(exponent - k); keep those down to 10^-decimals.
    const int keep = exponent + decimals + 1;
    std::string digits;
    if (keep <= 0) {
        digits = (keep == 0 && mantissa[0] >= '5') ? "1" : "0";
    } else {
        digits.assign(mantissa, std::min(keep, length));
        digits.append(keep > length ? keep - length : 0, '0');
        if (keep < length && mantissa[keep] >= '5') {
            int i = static_cast<int>(digits.size()) - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i < 0)
                digits.insert(digits.begin(), '1');
            else
                ++digits[i];
        }
    }
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    return digits;
}

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// The fast form with the mask's leading zeros ("00.000"); false when FormatMask's
// exact way must be taken.
bool appendScaled(std::string& out, double value, int decimals, int leadingZeros)
{
    char buffer[kFixedFastRoom];
    const size_t length = FormatFixedFast(buffer, value, decimals);
    if (length == 0)
        return false;
    const size_t sign = buffer[0] == '-' ? 1 : 0;
    const size_t integerDigits = (decimals > 0 ? length - decimals - 1 : length) - sign;
    out.append(buffer, sign);
    if (static_cast<int>(integerDigits) < leadingZeros)
        out.append(leadingZeros - integerDigits, '0');
    out.append(buffer + sign, length - sign);
    return true;
}

} // namespace

namespace {

// FormatFixedFast for a fixed number of decimals, so that the digits are cut off
// with constant divisors.
template <int Decimals>
size_t formatScaled(char* out, double value)
{
    // Away from a tie (the one case where rounding the binary value and rounding its
    // 15-digit decimal form can differ) the value scaled to whole units of the last
    // decimal rounds to the same whole number either way, and that number's digits
    // are the text.
    if (!std::isfinite(value))
        return 0;
    const double scaled = std::fabs(value) * kPow10[Decimals];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (!(scaled < 1e15) || std::fabs(fraction - 0.5) <= scaled * 1e-14 + 1e-9)
        return 0;
    const uint64_t units = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                     "8081828384858687888990919293949596979899";
    constexpr uint64_t kUnit = static_cast<uint64_t>(kPow10[Decimals]);
    uint64_t integer = units / kUnit;
    uint64_t decimals = units % kUnit;
    // The integer part from its last digit back, two digits a step, at the end of the
    // first 24 bytes; at most 16 digits, so 16 bytes from the first always stay inside.
    char digits[40];
    char* first = digits + 24;
    while (integer >= 100) {
        const auto pair = static_cast<size_t>(integer % 100) * 2;
        integer /= 100;
        *--first = kPairs[pair + 1];
        *--first = kPairs[pair];
    }
    if (integer >= 10) {
        *--first = kPairs[integer * 2 + 1];
        *--first = kPairs[integer * 2];
    } else {
        *--first = static_cast<char>('0' + integer);
    }
    char* end = out;
    // A value that rounds to zero is written without its sign, as FormatMask writes it.
    if (value < 0 && units != 0)
        *end++ = '-';
    const size_t integerDigits = static_cast<size_t>(digits + 24 - first);
    std::memcpy(end, first, 16); // one fixed-size copy: what follows the digits is written over or not counted
    end += integerDigits;
    if constexpr (Decimals > 0) {
        *end++ = '.';
        for (int i = Decimals - 1; i >= 0; --i, decimals /= 10)
            end[i] = static_cast<char>('0' + decimals % 10);
        end += Decimals;
    }
    return static_cast<size_t>(end - out);
}

} // namespace

size_t FormatFixedFast(char* out, double value, int decimals)
{
    switch (decimals) {
    case 0: return formatScaled<0>(out, value);
    case 1: return formatScaled<1>(out, value);
    case 2: return formatScaled<2>(out, value);
    case 3: return formatScaled<3>(out, value);
    case 4: return formatScaled<4>(out, value);
    case 5: return formatScaled<5>(out, value);
    case 6: return formatScaled<6>(out, value);
    case 7: return formatScaled<7>(out, value);
    case 8: return formatScaled<8>(out, value);
    case 9: return formatScaled<9>(out, value);
    default: return 0;
    }
}

void AppendFormatMask(std::string& out, double value, std::string_view mask)
{
    const size_t point = mask.find('.');
    const std::string_view integerMask = mask.substr(0, point);
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mask.size() - point - 1);
    const int leadingZeros = static_cast<int>(std::count(integerMask.begin(), integerMask.end(), '0'));
    if (!std::isfinite(value))
        value = 0.0;
    if (appendScaled(out, value, decimals, leadingZeros))
        return;
    const std::string digits = roundedDigits(std::fabs(value), decimals);
    if (value < 0 && digits.find_first_not_of('0') != std::string::npos)
        out += '-';
    const int integerDigits = static_cast<int>(digits.size()) - decimals;
    if (integerDigits < leadingZeros)
        out.append(leadingZeros - integerDigits, '0');
    out.append(digits, 0, integerDigits);
    if (decimals > 0) {
        out += '.';
        out.append(digits, integerDigits, decimals);
    }
}

std::string FormatMask(double value, const std::string& mask)
{
    std::string text;
    AppendFormatMask(text, value, mask);
    return text;
}

namespace {

// The printed digits of a value that some 0 to 9 decimals hold exactly: the nearest
// double to q / 10^d is the value itself, so its fifteen-digit rounding is q with
// d decimals (q < 10^15 keeps q on the fifteen-digit grid). False for any other
// value, and for one that prints with an exponent (below 1E-04).
bool appendShortFixed(std::string& out, double magnitude)
{
    static constexpr double kScale[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    for (int d = 0; d < static_cast<int>(std::size(kScale)); ++d) {
        const double q = std::floor(magnitude * kScale[d] + 0.5);
        if (!(q < 1e15))
            return false;
        if (q / kScale[d] != magnitude)
            continue;
        const auto units = static_cast<uint64_t>(q);
        const uint64_t unit = static_cast<uint64_t>(kScale[d]);
        const uint64_t integer = units / unit;
        uint64_t fraction = units % unit;
        int decimals = d;
        while (decimals > 0 && fraction % 10 == 0) {
            fraction /= 10;
            --decimals;
        }
        char digits[24];
        char* end = digits + sizeof digits;
        char* first = end;
        for (int i = 0; i < decimals; ++i, fraction /= 10)
            *--first = static_cast<char>('0' + fraction % 10);
        if (integer == 0) {
            // 0.000123 prints as 1.23E-04, 0.00123 as .00123.
            size_t zeros = 0;
            while (first + zeros < end && first[zeros] == '0')
                ++zeros;
            if (zeros > 3)
                return false;
            *--first = '.';
        } else {
            if (decimals > 0)
                *--first = '.';
            for (uint64_t rest = integer; rest != 0; rest /= 10)
                *--first = static_cast<char>('0' + rest % 10);
        }
        out.append(first, end);
        return true;
    }
    return false;
}

} // namespace

void AppendPrintStatementNumber(std::string& out, double value)
{
    if (!std::isfinite(value) || value == 0.0) {
        out += " 0 ";
        return;
    }
    out += value < 0 ? '-' : ' ';
    if (!appendShortFixed(out, std::fabs(value))) {
        char buffer[40];
        const auto printed =
            std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::general, 15);
        const char* first = buffer;
        if (printed.ptr - buffer > 1 && buffer[0] == '0' && buffer[1] == '.')
            ++first;
        for (const char* p = first; p < printed.ptr; ++p)
            out += *p == 'e' ? 'E' : *p;
    }
    out += ' ';
}

std::string PrintStatementNumber(double value)
{
    std::string text;
    AppendPrintStatementNumber(text, value);
    return text;
}

std::string ToUpperAscii(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace tavrelo
