#pragma once
// The two entries of the map's open dialog: coordinate lists and raw-data files,
// each matching its suffixes in any letter case.
#include <QString>
#include <QStringList>

namespace tavrelo {

QString CoordinateListFilter();
QString RawDataFilter();

// The position in filters of the filter a file dialog reports as chosen, -1 when it
// is none of them. Dialogs answer in two ways: the whole filter (a desktop's own
// dialog), or only its label, the text before the patterns, when the patterns are
// hidden (Qt's dialog, "Coordinate lists *.asc, *.seq").
int NameFilterPosition(const QStringList& filters, const QString& chosen);

// "*.zvk" as "*.[zZ][vV][kK]": a pattern that matches the suffix in any case.
QString AnyCasePattern(const QString& pattern);

} // namespace tavrelo
