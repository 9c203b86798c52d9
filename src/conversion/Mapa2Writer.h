#pragma once
// MAPA 2 from a raw data file: the leading comments as "; " lines with the date, seven
// preamble numbers, one block per station ("1 name height", "-1", its observations)
// separated by "/", and "/" and "-2" at the end.
#include "conversion/ConversionContext.h"
#include "conversion/RawRecordCodes.h"
#include "platform/ByteSink.h"

#include <string>

namespace tavrelo {

// The records it writes: stations, their observations (face readings aside) and
// coordinate records of every kind, copied as ";" lines.
constexpr RawKinds kMapa2Records = {RawKind::Station, RawKind::SideShot, RawKind::PointShot, RawKind::Coordinates,
                                    RawKind::MoreCoordinates};

class Mapa2Writer {
public:
    // dateText: the day of the run as "dd-mm-yy", for the date line.
    explicit Mapa2Writer(std::string dateText) : m_date(std::move(dateText)) {}

    // Reads input twice (first for the codes of the coordinate records, then to write)
    // and writes the whole MAPA 2 text; returns 0 or the first failure number.
    int write(const std::string& input, ByteSink& out);
    // The records of the last write left out because they were cut short.
    const CutShortCount& cutShort() const { return m_cutShort; }

private:
    std::string m_date;
    CutShortCount m_cutShort;
};

// Today's date as the date line shows it, "dd-mm-yy".
std::string Mapa2Today();

void ConvertRawToMapa2(ConversionContext& context, const std::string& input, const std::string& output);

} // namespace tavrelo
