#pragma once
// The system's own rules for turning texts into numbers and numbers into texts.
// They differ from the C library in ways the settings file and the data files rely on.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrelo {

// Raised where a number does not fit the integer it must become (run-time error 6).
class OverflowError : public std::runtime_error {
public:
    OverflowError() : std::runtime_error("Overflow") {}
};

// The leading number of a text. Blanks, tabs and line feeds are skipped anywhere;
// "&H" and "&O" read hexadecimal and octal integers; reading stops at the first
// character that cannot belong to the number; a text without a number is 0.
double Val(const std::string& text);

// Whether Val finds a number in text: at least one digit where Val reads its number
// ("12", " -.5", "3m", "&H1F"), of a value a double holds. "", ".", "-", "North", "&H"
// and "1e999" (which Val reads as 0) hold none.
bool HoldsNumber(std::string_view text);

// A coordinate field of a list: empty (it counts as 0) or holding a number. A line with
// any other coordinate field is text, such as a heading line, and no point.
bool IsCoordinateField(std::string_view field);

// Round to the nearest integer, halves to the even neighbour; throws OverflowError
// when the result does not fit 16 (CInt) or 32 (CLng) bits.
int16_t CInt(double value);
int32_t CLng(double value);

// Leading and trailing spaces removed; tabs and other characters stay.
std::string Trim(const std::string& text);
// The same as a view into text. Inline: the converters call it for every field.
inline std::string_view TrimBlanks(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    return first == last ? std::string_view() : text.substr(first, last - first);
}
// Blanks and tabs removed at both ends, as a view into text.
std::string_view TrimBlanksAndTabs(std::string_view text);
std::string LTrim(const std::string& text);
std::string RTrim(const std::string& text);

// A number as the settings file prints it: a blank (or "-") before the digits and a
// blank after them, "." as decimal separator, as many digits as the value needs.
std::string PrintNumber(double value);

// The number without the surrounding blanks of PrintNumber (" 8.25 " -> "8.25").
std::string NumberText(double value);

// A number formatted by a digit mask such as "0", "0.00", "00.000" or "##0.000": at
// least as many integer digits as the mask has zeros before its "." (at least one;
// "#" adds none), exactly as many decimals as the mask has places after it, halves
// rounded away from zero on the decimal value, "." as separator.
std::string FormatMask(double value, const std::string& mask);
// The same, appended to out, for writers that build long runs of lines.
void AppendFormatMask(std::string& out, double value, std::string_view mask);

// The digits FormatMask gives for a mask of one integer zero and `decimals` (0..9)
// decimal places, written to out (room for kFixedFastRoom bytes) without building the
// decimal digit string: for the writers' inner loops. Returns the length, or 0 for a
// value near a rounding tie, a huge or non-finite one, which FormatMask must do.
constexpr size_t kFixedFastRoom = 32;
size_t FormatFixedFast(char* out, double value, int decimals);

// A number as the Print statement writes it into a listing: a blank (or "-") before
// it, no leading zero before the point (0.5 is " .5 "), fifteen significant digits at
// the most, an exponent as "1E-05", and a blank after it.
std::string PrintStatementNumber(double value);
// The same text appended to out, for the listings' inner loops.
void AppendPrintStatementNumber(std::string& out, double value);

// ASCII-only case folding, as the settings keys and section names are compared.
std::string ToUpperAscii(const std::string& text);
bool EqualsNoCase(std::string_view a, std::string_view b);

} // namespace tavrelo
