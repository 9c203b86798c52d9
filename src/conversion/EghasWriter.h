#pragma once
// The Eghas listing of a raw data file: one fixed-column line per observation that
// repeats its station's name, backsight, instrument height and backsight angle and
// ends with "PP".
#include "conversion/ConversionContext.h"
#include "platform/ByteSink.h"

#include <string>

namespace tavrelo {

class EghasWriter {
public:
    // Writes the whole listing of the raw file input; returns 0 or the first failure number.
    int write(const std::string& input, ByteSink& out);
    // The records of the last write left out because they were cut short.
    const CutShortCount& cutShort() const { return m_cutShort; }

private:
    CutShortCount m_cutShort;
};

void ConvertRawToEghas(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
