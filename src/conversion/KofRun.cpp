#include "conversion/KofRun.h"

#include "conversion/ConverterReport.h"
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
    KofPointTable& table = ProgramKofPointTable();
    const bool pointNumbers = options.UsePointNumberConversion != 0;
    if (pointNumbers)
        RunGuarded(context, [&] { LoadPointNumberTable(context, options.KofpointFile, table); });
    RunTextWriter(
        context, input, output,
        [&](const std::string& in, ByteSink& out) { return write(options, table, in, out); },
        {pointNumbers ? options.KofpointFile : std::string()});
}

} // namespace tavrelo
