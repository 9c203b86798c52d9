#pragma once
// Types text into a widget key by key as a keyboard would, letters beyond ASCII ("ø",
// "Ł") included: QTest::keyClicks knows only ASCII keys.
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace tavrelo::test {

inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace tavrelo::test
