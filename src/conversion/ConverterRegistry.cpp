#include "conversion/ConverterRegistry.h"

#include "conversion/CoordinateListWriters.h"
#include "conversion/RawCoordinateCalculator.h"

// One row per converter; each row's function is declared in its format's header.

namespace tavrelo {

const std::vector<ConverterEntry>& Converters()
{
    static const std::vector<ConverterEntry> table = {
        {"ConvertCoorToUserCoor", static_cast<ConverterFunction>(ConvertCoorToUserCoor)},
        {"ConvertRawToCoorComma", ConvertRawToCoorComma},
        {"ConvertRawToCoorSpace", ConvertRawToCoorSpace},
        {"CalcRawCoordinates", CalcRawCoordinates},
    };
    return table;
}

const ConverterEntry* FindConverter(const std::string& name)
{
    for (const ConverterEntry& entry : Converters())
        if (name == entry.name)
            return &entry;
    return nullptr;
}

} // namespace tavrelo
