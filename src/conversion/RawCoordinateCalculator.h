#pragma once
// The raw-data coordinate calculator CalcRawCoordinates.
//
// Computes plane coordinates and heights of the stations and observed points of a raw
// data file and writes them as a coordinate list in the field order and with the
// separator of the calculation settings (context.calc; null means the new-file
// defaults), or, for the output name "_*_", writes nothing and only fills the map
// tables (context.map; null means tables of the run's own). Every run rebuilds the
// tables, the extents and the view centre and fits the view.
//
// Three passes over the input: header comments and counts; the control points of
// ControlFileName and the coordinate records; the observations, station by station.
// A station is located by a known point, by a point observed earlier, at 0, 0, 0 when
// nothing has been observed yet (a free survey), or not at all: its observations
// are then left out, and the run ends with one warning that says how many and from
// which stations.
//
// Failures (an input, control-point or output file that cannot be read or written,
// input and output one file) are reported once through ReportConverterFailure; the run
// then ends, the old target stays untouched and TransferStatus stays "E". A run that
// reaches its end sets "OK".
#include "conversion/ConversionContext.h"
#include "conversion/RawRecordCodes.h"

#include <cstddef>
#include <string>

namespace tavrelo {

void CalcRawCoordinates(ConversionContext& context, const std::string& input, const std::string& output);

// The records it reads: every kind, the coordinate records in a pass of their own.
constexpr RawKinds kCalculatorRecords = {RawKind::Comment,     RawKind::Station,     RawKind::SideShot,
                                         RawKind::PointShot,   RawKind::FaceReading, RawKind::Coordinates,
                                         RawKind::MoreCoordinates};

// How the observations are read: the file in blocks of about blockBytes, each read
// and written by that many threads (0: four, or fewer on a machine with fewer
// processors; more gain nothing, the records being worked out one after the other).
// Any choice gives the same output.
struct CalcReading {
    unsigned threads = 0;
    size_t blockBytes = size_t(1) << 20;
};
void CalcRawCoordinatesWith(ConversionContext& context, const std::string& input, const std::string& output,
                            const CalcReading& reading);

// The output name that fills only the map tables.
constexpr const char* kTablesOnlyOutput = "_*_";

} // namespace tavrelo
