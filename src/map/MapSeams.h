#pragma once
// What the map window asks of the world outside: the open dialog, the scale input
// box, the printer dialog and the showing of its modal dialogs. The program's
// defaults use Qt; tests put their own answers in their place.
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

namespace tavrelo {

struct MapSeams {
    // The open dialog with its filters, the first one chosen; chosenFilter comes back
    // with the position of the filter the user left chosen (-1 when unknown). "" when
    // cancelled.
    std::function<QString(QWidget* owner, const QStringList& filters, int* chosenFilter)> openFileName;
    // The input box: prompt, title and default text; false when cancelled.
    std::function<bool(QWidget* owner, const QString& prompt, const QString& title, QString& text)> inputText;
    // The platform's printer dialog; its choice is not used.
    std::function<void(QWidget* owner)> selectPrinter;
    // A modal dialog over the map window, until it is closed.
    std::function<void(QDialog& dialog)> showModal;
};

MapSeams DefaultMapSeams();

} // namespace tavrelo
