#include "link/core/UploadLine.h"

#include "app/FileHelpers.h"
#include "platform/ByteSink.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

void appendField(std::string& line, std::string_view value)
{
    if (value.empty())
        return;
    line.append(value);
    line += ',';
}

// The part of a name or code the instrument keeps, without blanks or tabs at either end.
std::string_view keptName(std::string_view text)
{
    return TrimBlanksAndTabs(TrimBlanksAndTabs(text).substr(0, kUploadNameLength));
}

} // namespace

std::string UploadCoordinate(std::string_view value)
{
    std::string text(TrimBlanksAndTabs(value));
    CommaToPoint(text);
    return text;
}

std::string UploadLine(const std::string& point, const std::string& first, const std::string& second,
                       const std::string& elevation, const std::string& code)
{
    std::string line;
    line.reserve(64);
    appendField(line, keptName(point));
    appendField(line, UploadCoordinate(first));
    appendField(line, UploadCoordinate(second));
    appendField(line, UploadCoordinate(elevation));
    line.append(keptName(code));
    return line;
}

void PutUpLoadLine(ByteSink& out, const std::string& cod1, const std::string& point, const std::string& first,
                   const std::string& second, const std::string& elevation, const std::string& code)
{
    if (cod1 == "Z")
        return;
    out.writeLine(UploadLine(point, first, second, elevation, code));
}

} // namespace tavrelo
