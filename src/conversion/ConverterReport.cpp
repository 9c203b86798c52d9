#include "conversion/ConverterReport.h"

#include "platform/RunError.h"

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

void ReportNoData(ConversionContext& context)
{
    ReportConverterFailure(context, MessageText(context, 39, "This file contains no data"));
}

} // namespace tavrelo
