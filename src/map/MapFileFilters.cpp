#include "map/MapFileFilters.h"

#include <QStringList>

namespace tavrelo {

namespace {

QString filter(const QString& label, const QStringList& patterns)
{
    QStringList anyCase;
    for (const QString& p : patterns)
        anyCase << AnyCasePattern(p);
    return label + " " + patterns.join(", ") + " (" + anyCase.join(' ') + ")";
}

} // namespace

QString AnyCasePattern(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper());
        else
            out += c;
    }
    return out;
}

int NameFilterPosition(const QStringList& filters, const QString& chosen)
{
    for (int i = 0; i < filters.size(); ++i) {
        const QString& f = filters[i];
        const int patterns = f.lastIndexOf('(');
        if (chosen == f || (patterns > 0 && chosen == f.left(patterns).trimmed()))
            return i;
    }
    return -1;
}

QString CoordinateListFilter()
{
    return filter(QStringLiteral("Coordinate lists"), {QStringLiteral("*.asc"), QStringLiteral("*.seq")});
}

QString RawDataFilter()
{
    return filter(QStringLiteral("Raw data files"),
                  {QStringLiteral("*.zvk"), QStringLiteral("*.dn?"), QStringLiteral("*.raw")});
}

} // namespace tavrelo
