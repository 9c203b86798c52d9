#include "conversion/ConverterReport.h"

#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <new>
#include <stdexcept>

namespace tavrelo {

std::string MessageText(const ConversionContext& context, int number, const std::string& fallback)
{
    if (context.message) {
        std::string text = context.message(number);
        if (!text.empty())
            return text;
    }
    return fallback;
}

void ReportConverterFailure(ConversionContext& context, const std::string& description)
{
    context.ui.beep();
    context.ui.message(description, MessageButtons::Ok, MessageIcon::Critical, MessageText(context, 11, "Error"));
    context.ui.setBusy(false);
    context.state.TransferStatus = "E";
}

void ReportConverterFailure(ConversionContext& context, int runError)
{
    ReportConverterFailure(context, RunErrorDescription(runError));
}

void RunGuarded(ConversionContext& context, const std::function<void()>& run)
{
    int failure = RunError::None;
    try {
        run();
    } catch (const std::bad_alloc&) {
        failure = RunError::OutOfMemory;
    } catch (const std::length_error&) { // a line or a table past what memory can hold
        failure = RunError::OutOfMemory;
    } catch (const OverflowError&) { // a number past the whole number it must become
        failure = RunError::Overflow;
    }
    // Told after the catch, when the memory the run held is free again.
    if (failure == RunError::OutOfMemory)
        ReportConverterFailure(context, RunErrorDescription(RunError::OutOfMemory) +
                                            ": there is not enough memory for this conversion."
                                            " The target file was not changed.");
    else if (failure == RunError::Overflow)
        ReportConverterFailure(context, RunErrorDescription(RunError::Overflow) +
                                            ": a number of the input or the options is too large for this"
                                            " conversion. The target file was not changed.");
}

std::string TargetFailureText(const std::string& target, int runError, bool existed)
{
    return RunErrorDescription(runError) + ": " + target + " could not be written. " +
           (existed ? "It was not changed: it holds what it held before." : "No file of that name was made.");
}

void ReportTargetFailure(ConversionContext& context, const OutputTarget& target)
{
    const int error = target.error() != 0 ? target.error() : RunError::DeviceIO;
    ReportConverterFailure(context, TargetFailureText(target.path(), error, target.existed()));
}

void ReportNoData(ConversionContext& context)
{
    ReportConverterFailure(context, MessageText(context, 39, "This file contains no data"));
}

std::string LeftOutLinesText(int64_t lines)
{
    return std::to_string(lines) + " line(s) were left out because their coordinates hold text that is not a number"
                                   " (a heading line, for example).";
}

void WarnLeftOut(ConversionContext& context)
{
    std::string text = context.leftOutLines > 0 ? LeftOutLinesText(context.leftOutLines) : std::string();
    if (context.cutShort.any())
        text += (text.empty() ? "" : "\r\n") + CutShortText(context.cutShort);
    if (!text.empty())
        context.ui.message(text, MessageButtons::Ok, MessageIcon::Exclamation, MessageText(context, 16, "Warning"));
}

namespace {

void reportLongLine(ConversionContext& context, const std::string& text, bool withTarget)
{
    ReportConverterFailure(context, withTarget ? text + " The target file was not changed." : text);
}

// What a failed read of path says, as LineReader::errorText: the line too long is
// found again by reading path to it.
std::string readFailureText(const std::string& path, int runError)
{
    LineReader again(path);
    std::string_view line;
    while (again.next(line)) {
    }
    return again.error() == RunError::LineTooLong ? again.errorText() : RunErrorDescription(runError);
}

} // namespace

void ReportInputFailure(ConversionContext& context, const LineReader& input, bool withTarget)
{
    if (input.error() == RunError::LineTooLong)
        reportLongLine(context, input.errorText(), withTarget);
    else
        ReportConverterFailure(context, input.error());
}

void ReportInputFailure(ConversionContext& context, const std::string& path, int runError, bool withTarget)
{
    if (runError == RunError::LineTooLong)
        reportLongLine(context, readFailureText(path, runError), withTarget);
    else
        ReportConverterFailure(context, runError);
}

} // namespace tavrelo
