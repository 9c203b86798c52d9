#pragma once
// Answers the next real file dialog as a user does: picks the filter at its place in
// the list of file types (a negative place keeps the one the dialog shows), types the
// file name and presses Return. What the dialog offered is kept in shownFilters, and
// the folder it opened in in shownFolder. When no file dialog shows within some
// seconds, it closes whatever window waits for an answer instead, so the test fails,
// not hangs.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "support/TypeText.h"

namespace tavrelo::test {

struct FileDialogUser {
    QStringList shownFilters;
    QString shownFolder;
    int dialogsShown = 0;
    QObject alive; // ends the waiting answer with the user

    void answerNext(int filter, const QString& path)
    {
        QTimer::singleShot(20, &alive, [this, filter, path] { answer(filter, path, 250); });
    }
    void answer(int filter, const QString& path, int attempts)
    {
        QFileDialog* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible())
                dialog = d;
        if (!dialog) {
            if (attempts > 1)
                QTimer::singleShot(20, &alive, [this, filter, path, attempts] { answer(filter, path, attempts - 1); });
            else if (QWidget* waiting = QApplication::activeModalWidget())
                waiting->close();
            return;
        }
        ++dialogsShown;
        shownFolder = dialog->directory().absolutePath();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < types->count(); ++i)
            shownFilters << types->itemText(i);
        if (filter >= 0) {
            types->setCurrentIndex(filter);
            emit types->activated(filter);
        }
        type(dialog, path, 50);
    }
    // The name typed and Return pressed; again, as a user would, while the dialog is
    // still busy reading the folder it went to and keeps the dialog open.
    void type(QFileDialog* dialog, const QString& path, int attempts)
    {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        // The name box has the keyboard focus, as it has for a user: without it the
        // dialog keeps every folder entry a beginning of the name matched ("tmp" for
        // "/tmp/...") selected and opens the first instead of taking the name, or puts
        // a selected entry's name in the box. A loaded machine may not have made the
        // dialog the active window yet.
        QApplication::setActiveWindow(dialog);
        name->setFocus(Qt::OtherFocusReason);
        name->clear();
        TypeText(name, path);
        if (name->completer() && name->completer()->popup())
            name->completer()->popup()->hide(); // Return is for the dialog
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog->isVisible())
            QTimer::singleShot(100, dialog, [this, dialog, path, attempts] {
                if (attempts > 1)
                    type(dialog, path, attempts - 1);
                else
                    dialog->reject(); // the test fails instead of waiting
            });
    }
};

} // namespace tavrelo::test
