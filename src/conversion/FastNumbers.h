#pragma once
// The two number conversions of the coordinate writers' inner loops, fast on the
// common case and identical in result to the system's rules (Val, FormatMask), to
// which they hand every text or value they cannot do exactly.
#include <string>
#include <string_view>

namespace tavrelo {

// The leading number of a field, as Val gives it.
double FieldValue(std::string_view text);

// Appends value with the mask "0.000", as FormatMask(value, "0.000") writes it.
void AppendFixed3(std::string& out, double value);
std::string Fixed3(double value);

} // namespace tavrelo
