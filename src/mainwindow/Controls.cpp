#include "mainwindow/Controls.h"

#include "app/gui/QtText.h"
#include "app/gui/Twips.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QSignalBlocker>

namespace tavrelo {

std::string ArrayName(const char* name, int index)
{
    return std::string(name) + std::to_string(index);
}

void PlaceAt(QWidget* widget, double left, double top)
{
    SetTwipsLeft(widget, left);
    SetTwipsTop(widget, top);
}

void CheckSilently(QAbstractButton* button, bool checked)
{
    const QSignalBlocker blockButton(button);
    const QSignalBlocker blockGroup(button->group());
    button->setChecked(checked);
}

void FillSilently(QComboBox* combo, const std::vector<std::string>& items)
{
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& item : items)
        combo->addItem(ToQt(item));
    combo->setCurrentIndex(-1);
}

QString FilterLabel(const std::string& text)
{
    QString label = ToQt(text);
    const int open = label.lastIndexOf('(');
    return (open > 0 ? label.left(open) : label).trimmed();
}

void SelectSilently(QComboBox* combo, int index)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index);
}

} // namespace tavrelo
