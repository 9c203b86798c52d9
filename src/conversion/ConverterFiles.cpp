#include "conversion/ConverterFiles.h"

#include "conversion/ConverterReport.h"
#include "platform/FileSystem.h"
#include "platform/RunError.h"

namespace tavrelo {

bool SameFile(const std::string& a, const std::string& b)
{
    return CanonicalPath(a) == CanonicalPath(b);
}

bool RefuseOwnInput(ConversionContext& context, const std::string& outputName, const std::string& inputName,
                    const std::vector<std::string>& otherInputs)
{
    const std::string output = CanonicalPath(outputName);
    bool own = CanonicalPath(inputName) == output;
    for (const std::string& other : otherInputs)
        own = own || (!other.empty() && CanonicalPath(other) == output);
    if (own)
        ReportConverterFailure(context, "The output file may not be a file this conversion reads: " + outputName +
                                            ". Please choose another name.");
    return own;
}

int CheckConverterTarget(const std::string& outputName, int outputFileMode)
{
    AtomicFile probe(outputName); // creates its temporary file beside the target
    probe.discard();
    if (probe.failed())
        return probe.error();
    const bool appends = OutputTarget::modeFor(outputFileMode) == OutputTarget::Mode::Append;
    return appends && IsRegularFile(outputName) ? OpenCheck(outputName) : 0;
}

std::unique_ptr<OutputTarget> OpenConverterFiles(ConversionContext& context, LineReader& input,
                                                 const std::string& inputName, const std::string& outputName,
                                                 const std::vector<std::string>& otherInputs)
{
    if (!input.open(inputName)) {
        ReportConverterFailure(context, input.error());
        return nullptr;
    }
    if (RefuseOwnInput(context, outputName, inputName, otherInputs)) {
        input.close();
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

bool FinishConverterFiles(ConversionContext& context, LineReader& input, OutputTarget& target,
                          uint64_t fillerBytes)
{
    if (input.error() != 0) {
        target.discard();
        ReportInputFailure(context, input);
        input.close();
        return false;
    }
    input.close();
    if (!target.failed() && target.newBytes() <= fillerBytes) {
        target.discard();
        ReportNoData(context);
        return false;
    }
    if (!target.commit()) {
        ReportConverterFailure(context, target.error() != 0 ? target.error() : RunError::DeviceIO);
        return false;
    }
    return true;
}

} // namespace tavrelo
