#include "conversion/ControlPointFile.h"

#include "conversion/ConverterReport.h"
#include "conversion/CoordinateLineGate.h"
#include "conversion/FastNumbers.h"
#include "conversion/LineSplitting.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <unordered_set>

namespace tavrelo {

bool ReadControlPoints(ConversionContext& context, const std::string& file, const CoordinateFieldOptions& fields,
                       bool withTarget, std::vector<MapStation>& points, CutShortCount& cutShort)
{
    CoordinateLineGate reader;
    if (!reader.open(file)) {
        ReportConverterFailure(context, "Control-point file " + file + ": " + RunErrorDescription(reader.error()));
        return false;
    }
    int position[5] = {0, 0, 0, 0, 0}; // field number of quantity k, 0 none
    for (int p = 5; p >= 1; --p) {
        const int item = fields.field[p - 1];
        if (item >= 0 && item <= 4)
            position[item] = p;
    }
    const std::string separator = fields.separatorText();
    std::unordered_set<std::string> names;
    Fields f;
    std::string text;
    while (reader.next(text)) {
        if (SplitBySeparator(text, f, separator) < 3)
            continue;
        std::string name(TrimBlanks(f[position[0]]));
        if (name.empty() || !names.insert(name).second)
            continue;
        MapStation s;
        s.name = std::move(name);
        s.X = FieldValue(f[position[1]]);
        s.Y = FieldValue(f[position[2]]);
        s.H = FieldValue(f[position[3]]);
        s.code = f[position[4]];
        s.type = PointType::Station;
        points.push_back(std::move(s));
    }
    cutShort = reader.cutShort();
    if (reader.error() != 0) {
        ReportInputFailure(context, reader.reader(), withTarget);
        return false;
    }
    if (points.empty()) {
        const std::string cut = cutShort.any() ? " " + CutShortText(cutShort) : std::string();
        ReportConverterFailure(context, "Control-point file " + file + ": no control point could be read from it"
                                        " (a line needs a name and two coordinates, separated by \"" +
                                        separator + "\")." + cut);
        return false;
    }
    return true;
}

std::string ControlPointsCutShortText(const std::string& file, const CutShortCount& cutShort)
{
    return cutShort.any() ? "Control-point file " + file + ": " + CutShortText(cutShort) : std::string();
}

} // namespace tavrelo
