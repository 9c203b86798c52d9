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
    // The records of the last write left out because they were cut short.
    const CutShortCount& cutShort() const { return m_cutShort; }

private:
    CutShortCount m_cutShort;
};

void ConvertRawToNedcad(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
