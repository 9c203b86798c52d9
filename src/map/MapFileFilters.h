#pragma once
// The two entries of the map's open dialog: coordinate lists and raw-data files,
// each matching its suffixes in any letter case.
#include <QString>

namespace tavrelo {

QString CoordinateListFilter();
QString RawDataFilter();

// "*.zvk" as "*.[zZ][vV][kK]": a pattern that matches the suffix in any case.
QString AnyCasePattern(const QString& pattern);

} // namespace tavrelo
