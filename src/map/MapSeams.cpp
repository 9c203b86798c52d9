#include "map/MapSeams.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace tavrelo {

MapSeams DefaultMapSeams()
{
    MapSeams seams;
    seams.openFileName = [](QWidget* owner, const QString& filter, QString* selected) {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), filter, selected,
                                            QFileDialog::HideNameFilterDetails);
    };
    seams.inputText = [](QWidget* owner, const QString& prompt, const QString& title, QString& text) {
        bool ok = false;
        const QString answer = QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, text, &ok);
        if (ok)
            text = answer;
        return ok;
    };
    seams.selectPrinter = [](QWidget* owner) {
        QPrinter printer;
        QPrintDialog dialog(&printer, owner);
        dialog.exec();
    };
    seams.showModal = [](QDialog& dialog) { dialog.exec(); };
    return seams;
}

} // namespace tavrelo
