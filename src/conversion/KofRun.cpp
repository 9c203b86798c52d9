#include "conversion/KofRun.h"

#include "conversion/ConverterReport.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/TextWriterRun.h"

namespace tavrelo {

void RunKofConversion(ConversionContext& context, const std::string& input, const std::string& output,
                      const KofWrite& write)
{
    context.state.TransferStatus = "E";
    if (input.empty() || output.empty())
        return;
    static const KofOptions defaults;
    const KofOptions& options = context.kof ? *context.kof : defaults;
    // The table of this run's file only: names are never converted by a file loaded before.
    KofPointTable table;
    const bool pointNumbers = options.UsePointNumberConversion != 0;
    if (pointNumbers && !options.KofpointFile.empty()) {
        std::string status = "E";
        RunGuarded(context, [&] { status = LoadPointNumberTable(context, options.KofpointFile, table, output); });
        // Names converted by no table, or by another file's, would be a wrong result.
        if (!status.empty()) {
            context.state.TransferStatus = "E";
            return;
        }
    }
    RunTextWriter(
        context, input, output,
        [&](const std::string& in, ByteSink& out) { return write(options, table, in, out); },
        {pointNumbers ? options.KofpointFile : std::string()}, CutLineMarkFor(CoordinateFile::Kof));
}

} // namespace tavrelo
