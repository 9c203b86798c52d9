#include "map/MapSeams.h"

#include "map/MapFileFilters.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace tavrelo {

MapSeams DefaultMapSeams()
{
    MapSeams seams;
    seams.openFileName = [](QWidget* owner, const QStringList& filters, int* chosen) {
        // The patterns are spelt for any letter case ("*.[aA][sS][cC]"): the dialog
        // shows the filters' labels only.
        QFileDialog dialog(owner);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(filters);
        *chosen = -1;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        *chosen = NameFilterPosition(filters, dialog.selectedNameFilter());
        return dialog.selectedFiles().constFirst();
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
