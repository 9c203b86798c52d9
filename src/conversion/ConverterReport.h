#pragma once
// How a converter tells the user of a failure, and the texts it takes from the
// message table.
#include "conversion/ConversionContext.h"
#include "conversion/OutputTarget.h"
#include "platform/LineReader.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tavrelo {

// Message n of the table, or fallback when the context has no table or the text is empty.
std::string MessageText(const ConversionContext& context, int number, const std::string& fallback);

// Beep, a critical box with the failure's description titled "Error" (message 11),
// the normal pointer back, and TransferStatus "E".
void ReportConverterFailure(ConversionContext& context, const std::string& description);

// The same box for a failure number ("File not found" for 53).
void ReportConverterFailure(ConversionContext& context, int runError);

// The same box with message 39 ("This file contains no data"): the input held no
// record the converter could use, so the run has no result to deliver.
void ReportNoData(ConversionContext& context);

// The failure of reading a converter's input, whose target is then as it was: a line
// too long says so with the file and the line (and, for a run with a target, that
// the target was not changed), any other failure as its number does.
void ReportInputFailure(ConversionContext& context, const LineReader& input, bool withTarget = true);
// The same when only the failure number is left of the reading: the line too long is
// found again by reading path to it.
void ReportInputFailure(ConversionContext& context, const std::string& path, int runError, bool withTarget = true);

// The failure of writing a target that is then as it was (a full disk, a write
// error): "Disk full: /jobs/job.kof could not be written. It was not changed: it holds
// what it held before." or, for a name that was new, "... No file of that name was made."
std::string TargetFailureText(const std::string& target, int runError, bool existed);
// That text in the converter's failure box; the failure number is the target's own.
void ReportTargetFailure(ConversionContext& context, const OutputTarget& target);

// The warning after a run that left out lines of a coordinate list because a
// coordinate field holds text that is not a number (a heading line, for example).
std::string LeftOutLinesText(int64_t lines);
// The warning after a run in a box titled "Warning" (message 16): the lines of
// context.leftOutLines and the records of context.cutShort; nothing when there are none.
void WarnLeftOut(ConversionContext& context);

// Runs the whole of one run. Running out of memory, or a number too large for the
// whole number the number rules must make of it, ends it like any other failure
// (reported, "E") instead of ending the program; the run's objects are gone by then,
// its temporary file with them, so the old target stays as it was.
void RunGuarded(ConversionContext& context, const std::function<void()>& run);

} // namespace tavrelo
