#pragma once
// Every converter reachable by its procedure name, for the dispatch and the benchmark.
#include "conversion/ConversionContext.h"

#include <string>
#include <vector>

namespace tavrelo {

using ConverterFunction = void (*)(ConversionContext& context, const std::string& input, const std::string& output);

struct ConverterEntry {
    const char* name; // "ConvertCoorToDXF", "CalcRawCoordinates", ...
    ConverterFunction run;
};

const std::vector<ConverterEntry>& Converters();
const ConverterEntry* FindConverter(const std::string& name);

} // namespace tavrelo
