#pragma once
// Whether a window is wide enough for a window manager to show its whole title: the
// title in a bold font of the application's size, beside the window icon and three
// window buttons, each about as wide as the title bar is high (Openbox's "NLIMC").
#include <QApplication>
#include <QFontMetrics>
#include <QString>
#include <QWidget>

namespace tavrelo::test {

// "" when window is wide enough for its title, else what it lacks.
inline QString TitleCut(const QWidget* window)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int needed = metrics.horizontalAdvance(window->windowTitle()) + 4 * (metrics.height() + 4);
    if (window->width() >= needed)
        return QString();
    return QStringLiteral("\"%1\" needs %2 pixels, the window is %3").arg(window->windowTitle()).arg(needed).arg(
        window->width());
}

} // namespace tavrelo::test
