#pragma once
// How the KOF writers fill a name or code field: point-number conversion and the
// 10-character cut for names, the last-dash split and the 8-character cut for codes.
#include "conversion/KofOptions.h"
#include "conversion/KofPointNumbers.h"

#include <string>

namespace tavrelo {

class KofFieldRules {
public:
    KofFieldRules(const KofOptions& options, const KofPointTable& table) : m_options(options), m_table(table) {}

    // A point or station name: converted when point-number conversion is 1, then cut
    // to its first 10 characters.
    std::string pointName(const std::string& name) const;

    // A code that code conversion may split (side shots and coordinate records): with
    // the conversion at 1 the part after the last "-" goes to tail; cut to 8 characters.
    std::string splitCode(const std::string& code, std::string& tail) const;

    // A code that is never split (CP, SO and station records), cut to 8 characters.
    static std::string plainCode(const std::string& code) { return code.substr(0, kCodeLength); }

private:
    static constexpr size_t kNameLength = 10;
    static constexpr size_t kCodeLength = 8;

    const KofOptions& m_options;
    const KofPointTable& m_table;
};

} // namespace tavrelo
