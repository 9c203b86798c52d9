#include "conversion/ConverterReport.h"

#include "platform/RunError.h"

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
    bool outOfMemory = false;
    try {
        run();
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    } catch (const std::length_error&) { // a line or a table past what memory can hold
        outOfMemory = true;
    }
    // Told after the catch, when the memory the run held is free again.
    if (outOfMemory)
        ReportConverterFailure(context, RunErrorDescription(RunError::OutOfMemory) +
                                            ": there is not enough memory for this conversion."
                                            " The target file was not changed.");
}

void ReportNoData(ConversionContext& context)
{
    ReportConverterFailure(context, MessageText(context, 39, "This file contains no data"));
}

} // namespace tavrelo
