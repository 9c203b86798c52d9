#include "conversion/ConverterRegistry.h"

#include "conversion/CoordinateListWriters.h"
#include "conversion/RawCoordinateCalculator.h"
#include "conversion/BinaryRecordWriter.h"
#include "conversion/DxfConverters.h"
#include "conversion/SdrWriter.h"
#include "conversion/KofRawWriter.h"
#include "conversion/KofCoordinateWriter.h"
#include "conversion/Mapa2Writer.h"
#include "conversion/EghasWriter.h"
#include "conversion/ListingRecords.h"
#include "conversion/NedcadWriter.h"

// One row per converter; each row's function is declared in its format's header.

namespace tavrelo {

const std::vector<ConverterEntry>& Converters()
{
    static const std::vector<ConverterEntry> table = {
        {"ConvertCoorToUserCoor", static_cast<ConverterFunction>(ConvertCoorToUserCoor), {}},
        {"ConvertRawToCoorComma", ConvertRawToCoorComma, kRawCoordinateListRecords},
        {"ConvertRawToCoorSpace", ConvertRawToCoorSpace, kRawCoordinateListRecords},
        {"CalcRawCoordinates", CalcRawCoordinates, kCalculatorRecords},
        {"ConvertCoorToDXF", ConvertCoorToDXF, {}},
        {"ConvertRawToDXF", ConvertRawToDXF, kRawDxfRecords},
        {"ConvertCoorToSDR33", ConvertCoorToSDR33, {}},
        {"ConvertRawToRecordFile", ConvertRawToRecordFile, kBinaryRecords},
        {"ConvertRawToKOF", ConvertRawToKOF, kKofRawRecords},
        {"ConvertCoorToKOF", ConvertCoorToKOF, {}},
        {"ConvertRawToMapa2", ConvertRawToMapa2, kMapa2Records},
        {"ConvertRawToEghas", ConvertRawToEghas, kListingRecords},
        {"ConvertRawToNedcad", ConvertRawToNedcad, kListingRecords},
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
