#pragma once
// Drives the setup-mode text editor from a test: presses a mouse button on a widget
// and, when the editor opens over its window, notes what it shows, lets the test fill
// its boxes and leaves it with OK or Cancel.
#include "app/gui/F_stp.h"
#include "app/gui/SetupEditing.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tavrelo::test {

struct EditorSeen {
    bool opened = false;
    QWidget* owner = nullptr;
    QWidget* control = nullptr;
    EditKind kind = EditKind::Caption;
    QString caption, toolTip, fontName, fontSize;
    bool captionEnabled = false, toolTipEnabled = false, fontEnabled = false;
    bool bold = false, italic = false;
};

inline QLineEdit* EditorBox(const char* name)
{
    return F_stp::instance().findChild<QLineEdit*>(QString::fromLatin1(name));
}

inline QCheckBox* EditorCheck(const char* name)
{
    return F_stp::instance().findChild<QCheckBox*>(QString::fromLatin1(name));
}

inline void EditorButton(const char* name)
{
    F_stp::instance().findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

enum class Leave { Ok, Cancel };

// fill runs while the editor is up, after its boxes were noted. The press lands on
// at, or on the widget's centre, or beside its controls when one lies there.
inline EditorSeen PressAndEdit(QWidget* widget, const std::function<void()>& fill = {}, Leave leave = Leave::Cancel,
                               Qt::MouseButton button = Qt::RightButton, QPoint at = QPoint())
{
    EditorSeen seen;
    QTimer::singleShot(0, [&seen, fill, leave] {
        F_stp& editor = F_stp::instance();
        if (!editor.isVisible())
            return;
        seen.opened = true;
        seen.owner = editor.parentWidget();
        seen.control = CurrentEdit().EditControl;
        seen.kind = CurrentEdit().EditControlKind;
        seen.caption = EditorBox("TxCaption")->text();
        seen.captionEnabled = EditorBox("TxCaption")->isEnabled();
        seen.toolTip = EditorBox("TxToolTips")->text();
        seen.toolTipEnabled = EditorBox("TxToolTips")->isEnabled();
        seen.fontName = EditorBox("TxFontName")->text();
        seen.fontSize = EditorBox("TxFontSize")->text();
        seen.fontEnabled = EditorBox("TxFontSize")->isEnabled();
        seen.bold = EditorCheck("CheckFontBold")->isChecked();
        seen.italic = EditorCheck("CheckFontItalic")->isChecked();
        if (fill)
            fill();
        if (editor.isVisible())
            EditorButton(leave == Leave::Ok ? "ComOK" : "ComCancel");
        if (editor.isVisible()) // an OK that was refused
            EditorButton("ComCancel");
    });
    // A frame is pressed beside its controls, as a user would.
    if (at.isNull() && widget->childAt(widget->rect().center()))
        at = QPoint(3, 3);
    QTest::mousePress(widget, button, Qt::NoModifier, at);
    QTest::mouseRelease(widget, button, Qt::NoModifier, at);
    QCoreApplication::processEvents(); // the check runs even when no editor opened
    return seen;
}

} // namespace tavrelo::test
