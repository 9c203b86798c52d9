#pragma once
// What both KOF converters do around their writer: the options (defaults when the
// context has none) and the point-number table, loaded when point-number conversion is on.
#include "conversion/ConversionContext.h"
#include "conversion/KofOptions.h"
#include "conversion/KofPointNumbers.h"
#include "platform/ByteSink.h"

#include <functional>
#include <string>

namespace tavrelo {

using KofWrite = std::function<int(const KofOptions& options, const KofPointTable& table,
                                   const std::string& input, ByteSink& out)>;

// TransferStatus "E" and nothing more when a path is empty; otherwise loads the
// point-number file into a table of this run when UsePointNumberConversion is not 0
// and a file is named (a file that cannot be loaded is told, and the run ends with "E"
// before the target is touched) and runs write in the frame of RunTextWriter. An
// append to a KOF file whose last " 05" line was cut off marks that line cut short
// (CutLineMarkFor).
void RunKofConversion(ConversionContext& context, const std::string& input, const std::string& output,
                      const KofWrite& write);

} // namespace tavrelo
