#include "conversion/TextWriterRun.h"

#include "conversion/ConverterFiles.h"
#include "conversion/ConverterReport.h"

namespace tavrelo {

namespace {

void runTextWriter(ConversionContext& context, const std::string& input, const std::string& output,
                   const WriteToSink& write, const std::vector<std::string>& otherInputs,
                   const OutputTarget::UnendedLineMark& mark)
{
    context.state.TransferStatus = "E";
    if (input.empty() || output.empty())
        return;
    context.ui.setBusy(true);
    // The checks only; the writer reads the input itself, some of them twice.
    LineReader check;
    const std::unique_ptr<OutputTarget> target = OpenConverterFiles(context, check, input, output, otherInputs, mark);
    if (!target)
        return;
    check.close();
    context.leftOutLines = 0;
    context.cutShort = CutShortCount{};
    const int error = write(input, *target);
    // Told first: the lines left out may be why the run has nothing to deliver.
    WarnLeftOut(context);
    if (error) {
        target->discard();
        if (error == kNoUsableRecord)
            ReportNoData(context);
        else if (target->failed())
            ReportTargetFailure(context, *target);
        else
            ReportInputFailure(context, input, error);
        return;
    }
    if (!FinishConverterFiles(context, check, *target))
        return;
    context.ui.setBusy(false);
    context.state.TransferStatus = "OK";
}

} // namespace

void RunTextWriter(ConversionContext& context, const std::string& input, const std::string& output,
                   const WriteToSink& write, const std::vector<std::string>& otherInputs,
                   const OutputTarget::UnendedLineMark& mark)
{
    RunGuarded(context, [&] { runTextWriter(context, input, output, write, otherInputs, mark); });
}

} // namespace tavrelo
