#pragma once
// The NEDCAD listing of a raw data file: two lines per station (station and instrument
// height, backsight) and one per observation, each item in 14-column print zones.
#include "conversion/ConversionContext.h"
#include "platform/ByteSink.h"

#include <string>

namespace tavrelo {

class NedcadWriter {
public:
    // Writes the whole listing of the raw file input; returns 0 or the first failure number.
    int write(const std::string& input, ByteSink& out);
};

void ConvertRawToNedcad(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
