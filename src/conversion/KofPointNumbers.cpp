#include "conversion/KofPointNumbers.h"

#include "conversion/ConverterReport.h"
#include "platform/LineReader.h"
#include "platform/Profile.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The entry number a line names, or -1 when it names none that is loaded.
int entryNumber(const std::string& text)
{
    try {
        const int n = CInt(Val(text));
        return n >= 0 && n < KofPointTable::kLoadedEntries ? n : -1;
    } catch (const OverflowError&) {
        return -1;
    }
}
} // namespace

void KofPointTable::loadLines(const std::string& bytes)
{
    for (const std::string& line : SplitLines(bytes))
        loadLine(line);
}

void KofPointTable::loadLine(const std::string& line)
{
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0)
        return;
    const int n = entryNumber(line.substr(0, equals));
    std::string text = Trim(line.substr(equals + 1));
    if (n >= 0 && !text.empty())
        m_entries[n] = std::move(text);
}

namespace {

// Why the file cannot be used: "not found" (message 29) for a missing or empty file
// and a folder, otherwise what the reader says.
std::string loadFailureText(const ConversionContext& context, const std::string& file, const LineReader& reader)
{
    switch (reader.error()) {
    case RunError::None:
    case RunError::FileNotFound:
    case RunError::PathNotFound:
    case RunError::PathFileAccess:
        return file + " " + MessageText(context, 29, "not found");
    case RunError::LineTooLong:
        return reader.errorText();
    default:
        return file + ": " + reader.errorText();
    }
}

} // namespace

std::string LoadPointNumberTable(ConversionContext& context, const std::string& kofpointFile, KofPointTable& table,
                                 const std::string& target)
{
    if (kofpointFile.empty()) {
        table.clear();
        return "E";
    }
    // Line by line into a table of its own, so that a file refused half-way changes nothing.
    KofPointTable loaded;
    LineReader reader;
    std::string line;
    if (reader.open(kofpointFile))
        while (reader.next(line))
            loaded.loadLine(line);
    if (reader.error() != 0 || reader.bytesRead() < 4) {
        std::string text = loadFailureText(context, kofpointFile, reader);
        if (!target.empty())
            text += "\r\nThe KOF conversion was stopped: nothing was converted, and " + target + " was not changed.";
        context.ui.message(text, MessageButtons::Ok, MessageIcon::Exclamation,
                           MessageText(context, 30, "Load") + " " + kofpointFile);
        return "E";
    }
    table = std::move(loaded);
    return "";
}

std::string ConvertPointNumber(const std::string& name, const KofPointTable& table)
{
    std::string trimmed = Trim(name);
    // Only a name that starts with two digits carries a number: "AB12" and "5X" do not.
    if (trimmed.size() < 2 || !isDigit(trimmed[0]) || !isDigit(trimmed[1]))
        return trimmed;
    const std::string& text = table.entry((trimmed[0] - '0') * 10 + (trimmed[1] - '0'));
    return text.empty() ? trimmed : text + trimmed.substr(2);
}

void SplitLastDash(std::string& code, std::string& tail)
{
    tail.clear();
    const size_t dash = code.rfind('-');
    if (dash == std::string::npos)
        return;
    tail = code.substr(dash + 1);
    code.erase(dash);
}

} // namespace tavrelo
