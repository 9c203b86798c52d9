#include "conversion/CoordinateListLoader.h"

#include "conversion/CoordinateLineGate.h"
#include "conversion/LineSplitting.h"
#include "map/core/MapTables.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

// A point's line: its two plane coordinates hold numbers; a heading line or other text
// is no point. The elevation reads as Val reads it, text (a code in its place) as 0.
bool IsPointLine(const Fields& f)
{
    return HoldsNumber(f[2]) && HoldsNumber(f[3]);
}

} // namespace

ListLoad LoadCoordinateList(MapTables& tables, const std::string& file, int coordinateOrder, int& runError,
                            std::string* failureText, CutShortCount* cutShort)
{
    runError = 0;
    CoordinateLineGate reader;
    if (!reader.open(file)) {
        runError = reader.error();
        return ListLoad::Unreadable;
    }
    const int northField = coordinateOrder == 1 ? 3 : 2;
    const int eastField = coordinateOrder == 1 ? 2 : 3;
    MapTables loaded;
    loaded.clearForCalculation(0, 0);
    Fields f;
    std::string line;
    while (reader.next(line)) {
        if (SplitBySeparator(line, f, ",") < kFieldsOfAPoint || !IsPointLine(f))
            continue;
        MapCooPoint p;
        p.X = Val(f[northField]);
        p.Y = Val(f[eastField]);
        p.H = Val(f[4]);
        loaded.CooPoints.push_back(p);
        loaded.PointNames.push_back(f[1]);
        loaded.PointCodes.push_back(f[5]);
        loaded.widenExtents(p.X, p.Y);
    }
    if (cutShort)
        *cutShort = reader.cutShort();
    if (reader.error() != 0) {
        runError = reader.error();
        if (failureText)
            *failureText = reader.reader().errorText();
        return ListLoad::Unreadable;
    }
    if (loaded.CooPointCount() < 1)
        return ListLoad::NoData;
    loaded.VisibleIndex.assign(static_cast<size_t>(loaded.CooPointCount()) + 1, 0);
    tables.takeDataFrom(std::move(loaded));
    FitViewToData(tables);
    return ListLoad::Loaded;
}

} // namespace tavrelo
