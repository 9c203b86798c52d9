#pragma once
// Every converter reachable by its procedure name, for the dispatch and the benchmark.
#include "conversion/ConversionContext.h"
#include "conversion/RawRecordCodes.h"

#include <string>
#include <vector>

namespace tavrelo {

using ConverterFunction = void (*)(ConversionContext& context, const std::string& input, const std::string& output);

struct ConverterEntry {
    const char* name; // "ConvertCoorToDXF", "CalcRawCoordinates", ...
    ConverterFunction run;
    // A converter of raw data: the kinds of record it takes values from, each reader
    // through its RawRecordGate. None for a converter of coordinate files.
    RawKinds reads;
};

const std::vector<ConverterEntry>& Converters();
const ConverterEntry* FindConverter(const std::string& name);

} // namespace tavrelo
