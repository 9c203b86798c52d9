#include "conversion/RawPassOne.h"

#include "conversion/LineSplitting.h"
#include "platform/LineReader.h"
#include "platform/TextRules.h"

#include <string_view>

namespace tavrelo {

namespace {

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The text from column 16, trimmed.
std::string_view settingText(std::string_view line)
{
    return line.size() > 15 ? TrimBlanks(line.substr(15)) : std::string_view();
}

void countRecord(std::string_view line, RawHeader& header)
{
    ++header.records;
    const size_t comma = line.find(',');
    const std::string_view code = TrimBlanks(line.substr(0, comma));
    if (code.size() != 2)
        return;
    if (code == "SS" || code == "CP" || code == "SO") {
        ++header.observations;
        header.observationBytes += static_cast<int64_t>(line.size());
    } else if (code == "ST") {
        ++header.stationRecords;
        header.stationBytes += static_cast<int64_t>(line.size());
        if (comma == std::string_view::npos)
            return;
        const std::string_view rest = line.substr(comma + 1);
        const std::string_view name = TrimBlanks(rest.substr(0, rest.find(',')));
        header.stationNames.emplace(name);
        header.stationNameFilter.add(name);
    } else if (code == "UC" || code == "UP" || code == "MP" || code == "CC" || code == "RE" || code == "MC") {
        ++header.coordinateRecords;
    }
}

} // namespace

bool ReadRawHeader(const std::string& path, RawHeader& header)
{
    header = RawHeader{};
    LineReader reader;
    if (!reader.open(path)) {
        header.error = reader.error();
        return false;
    }
    std::string_view text;
    int64_t lineNumber = 0;
    while (reader.next(text)) {
        ++lineNumber;
        const std::string_view line = TrimBlanks(text);
        if (startsWith(line, "CO")) {
            if (startsWith(line, "CO,Coord Order:") && settingText(line) == "ENZ")
                header.swapCoordinates = true;
            else if (startsWith(line, "CO,Angle Units:"))
                header.angleUnitText = ToUpperAscii(std::string(settingText(line)));
            continue;
        }
        const int64_t coordinateRecords = header.coordinateRecords;
        countRecord(line, header);
        if (header.coordinateRecords != coordinateRecords)
            header.lastCoordinateLine = lineNumber;
    }
    header.error = reader.error();
    header.angleUnit = AngleUnit::FromText(header.angleUnitText);
    return header.error == 0;
}

void ReadTemperatureAndPressure(const std::string& line, double& temperature, double& pressure)
{
    if (line.find("CO,Temp:") == std::string::npos)
        return;
    temperature = Val(line.size() > 8 ? line.substr(8, 4) : std::string());
    const size_t press = line.find("Press:");
    if (press != std::string::npos)
        pressure = Val(line.substr(press + 6));
}

} // namespace tavrelo
