#include "conversion/ConverterFiles.h"

#include "conversion/ConverterReport.h"
#include "conversion/CoordinateLineGate.h"
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

std::string TargetRefusalText(const std::string& outputName, int error)
{
    switch (error) {
    case RunError::PathFileAccess:
        return IsDirectory(outputName) ? outputName + " is a folder, not a file."
                                       : outputName + " is not a file but a pipe or a device.";
    case RunError::PathNotFound: {
        const size_t forbidden = outputName.find_first_of("?*");
        if (forbidden != std::string::npos)
            return "The name " + outputName + " holds \"" + outputName[forbidden] +
                   "\", which no file name may hold.";
        const std::string folder = FolderOf(outputName);
        if (!folder.empty() && !IsDirectory(folder))
            return "The folder " + folder + " does not exist.";
        return "The name " + outputName + " holds a character that no file name may hold.";
    }
    case RunError::PermissionDenied:
        if (!NameTaken(outputName) && !FolderOf(outputName).empty())
            return RunErrorDescription(error) + ": " + outputName + " (the folder " + FolderOf(outputName) +
                   " may not be written).";
        break;
    default:
        break;
    }
    return RunErrorDescription(error) + ": " + outputName;
}

std::unique_ptr<OutputTarget> OpenConverterFiles(ConversionContext& context, LineReader& input,
                                                 const std::string& inputName, const std::string& outputName,
                                                 const std::vector<std::string>& otherInputs,
                                                 const OutputTarget::UnendedLineMark& mark)
{
    if (!input.open(inputName)) {
        ReportConverterFailure(context, input.error());
        return nullptr;
    }
    if (RefuseOwnInput(context, outputName, inputName, otherInputs)) {
        input.close();
        return nullptr;
    }
    auto target = std::make_unique<OutputTarget>(outputName, OutputTarget::modeFor(context.state.OutputFileMode),
                                                 OutputTarget::Content::Text, mark);
    if (target->failed()) {
        input.close();
        target->discard();
        ReportTargetFailure(context, *target);
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
        ReportTargetFailure(context, target);
        return false;
    }
    TellMarkedLastLine(context, target);
    return true;
}

} // namespace tavrelo
