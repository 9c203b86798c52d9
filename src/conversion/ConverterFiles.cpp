#include "conversion/ConverterFiles.h"

#include "conversion/ConverterReport.h"
#include "platform/FileSystem.h"
#include "platform/RunError.h"

namespace tavrelo {

bool SameFile(const std::string& a, const std::string& b)
{
    return CanonicalPath(a) == CanonicalPath(b);
}

std::unique_ptr<OutputTarget> OpenConverterFiles(ConversionContext& context, LineReader& input,
                                                 const std::string& inputName, const std::string& outputName)
{
    if (!input.open(inputName)) {
        ReportConverterFailure(context, input.error());
        return nullptr;
    }
    if (SameFile(inputName, outputName)) {
        input.close();
        ReportConverterFailure(context, "The output file may not be the input file: " + outputName);
        return nullptr;
    }
    auto target = std::make_unique<OutputTarget>(outputName, OutputTarget::modeFor(context.state.OutputFileMode));
    if (target->failed()) {
        input.close();
        const int error = target->error();
        target->discard();
        ReportConverterFailure(context, error);
        return nullptr;
    }
    return target;
}

bool FinishConverterFiles(ConversionContext& context, LineReader& input, OutputTarget& target)
{
    const int readError = input.error();
    input.close();
    if (readError != 0) {
        target.discard();
        ReportConverterFailure(context, readError);
        return false;
    }
    if (!target.commit()) {
        ReportConverterFailure(context, target.error() != 0 ? target.error() : RunError::DeviceIO);
        return false;
    }
    return true;
}

} // namespace tavrelo
