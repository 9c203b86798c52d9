#include "conversion/CoordinateLineGate.h"

#include "conversion/ConverterReport.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

bool startsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// Whether a reader of that kind would take values from the line: a list reads every
// line that holds anything, a KOF reader its " 05" lines (code in columns 2 and 3).
bool IsPointLine(CoordinateFile kind, std::string_view line)
{
    if (kind == CoordinateFile::Kof)
        return line.substr(1, 2) == "05";
    return !TrimBlanksAndTabs(line).empty();
}

std::string_view MarkOf(CoordinateFile kind)
{
    return kind == CoordinateFile::Kof ? kKofCutShortMark : kCutShortMark;
}

} // namespace

bool IsMarkedCutShort(CoordinateFile kind, std::string_view line)
{
    // A KOF line's columns are its fields: the mark stands at column 1.
    return startsWith(kind == CoordinateFile::Kof ? line : TrimBlanksAndTabs(line), MarkOf(kind));
}

std::string CutLineMark(CoordinateFile kind, const UnendedLastLine& line)
{
    if (!line.linesBefore || !IsPointLine(kind, line.start) || IsMarkedCutShort(kind, line.start))
        return std::string();
    return std::string(MarkOf(kind));
}

OutputTarget::UnendedLineMark CutLineMarkFor(CoordinateFile kind)
{
    return [kind](const UnendedLastLine& line) { return CutLineMark(kind, line); };
}

std::string MarkedLastLineText(const UnendedLastLine& line, const std::string& target)
{
    if (line.mark.empty())
        return std::string();
    const std::string shown = line.start + (line.length > line.start.size() ? "..." : "");
    return "The last line of " + target + " (\"" + shown +
           "\") had no line end, as when a transfer ends early. It is a point cut short: so that no reader takes "
           "it for a whole one, it is now line " + std::to_string(line.lineNumber) + " (\"" + line.mark + shown +
           "\"), which this program's readers leave out and count, and the new lines follow it.";
}

void TellMarkedLastLine(ConversionContext& context, const OutputTarget& target)
{
    const std::string text = MarkedLastLineText(target.unendedLastLine(), target.path());
    if (!text.empty())
        context.ui.message(text, MessageButtons::Ok, MessageIcon::Information, MessageText(context, 18, "Complete"));
}

bool CoordinateLineGate::open(const std::string& path)
{
    m_cutShort = CutShortCount();
    return m_reader.open(path);
}

bool CoordinateLineGate::next(std::string& line)
{
    while (m_reader.next(line)) {
        if (m_reader.lastLineUnended() && IsPointLine(m_kind, line))
            m_cutShort.add(m_reader.linesRead(), true);
        else if (IsMarkedCutShort(m_kind, line))
            m_cutShort.addMarked(m_reader.linesRead());
        else
            return true;
    }
    return false;
}

} // namespace tavrelo
