#include "app/gui/TitleBar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>

namespace tavrelo {

namespace {

// Title bars use a bold font about the size of the application's; the icon and each
// button are squares about as high as the bar.
constexpr int kIconAndButtons = 4;
constexpr int kBarPadding = 6;

} // namespace

int TitleBarWidth(const QString& title)
{
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int bar = metrics.height() + kBarPadding;
    return metrics.horizontalAdvance(title) + kIconAndButtons * bar + 2 * metrics.height();
}

void FitWidthToTitle(QWidget* window)
{
    const int needed = TitleBarWidth(window->windowTitle());
    const int gain = needed - window->width();
    if (gain <= 0)
        return;
    for (QWidget* child : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            child->move(child->x() + gain / 2, child->y());
    if (window->minimumWidth() == window->maximumWidth())
        window->setFixedWidth(needed);
    else
        window->resize(needed, window->height());
}

void FitWidthToTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QMargins margins = grid->contentsMargins();
    const int needed = TitleBarWidth(box.windowTitle()) - margins.left() - margins.right();
    // A row of its own under the others that holds the box open to that width.
    grid->addItem(new QSpacerItem(std::max(needed, 0), 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                  0, 1, grid->columnCount());
}

} // namespace tavrelo
