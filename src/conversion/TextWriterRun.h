#pragma once
// The frame every text writer of raw data and coordinate files runs in, so that they
// all start, fail and finish alike.
#include "conversion/ConversionContext.h"
#include "conversion/OutputTarget.h"
#include "platform/ByteSink.h"

#include <functional>
#include <string>
#include <vector>

namespace tavrelo {

// What a writer returns when the input held no record it could use: a header
// without records is no result (ReportNoData).
constexpr int kNoUsableRecord = -1;

// Writes the whole output from the input file into out; returns 0, a failure number
// or kNoUsableRecord.
using WriteToSink = std::function<int(const std::string& input, ByteSink& out)>;

// TransferStatus "E"; nothing more when a path is empty. Otherwise the busy pointer,
// the input checked before the target is touched (OpenConverterFiles: also refused
// when it is the target), the output written through an OutputTarget (appended when
// OutputFileMode is 1) and renamed into place when whole.
// A run that wrote nothing, or whose writer found no usable record, is reported
// with ReportNoData and ends as a failure. The lines and records the writer left out
// (context.leftOutLines, context.cutShort) are told before any failure.
// Any failure is reported once (ReportConverterFailure), leaves the old target as it
// was and ends the run with "E"; a run that completes ends with "OK".
// otherInputs are files the writer reads besides input, never to be its target; mark
// what an append writes before the target's old last line without a line end.
void RunTextWriter(ConversionContext& context, const std::string& input, const std::string& output,
                   const WriteToSink& write, const std::vector<std::string>& otherInputs = {},
                   const OutputTarget::UnendedLineMark& mark = {});

} // namespace tavrelo
