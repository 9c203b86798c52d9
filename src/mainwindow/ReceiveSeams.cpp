#include "mainwindow/ReceiveSeams.h"

#include "mainwindow/EditorLaunch.h"
#include "link/InstrumentDownload.h"

#include <QFileDialog>

namespace tavrelo {

ReceiveSeams DefaultReceiveSeams(InstrumentDownload& download)
{
    ReceiveSeams seams;
    seams.saveFileName = [](QWidget* owner, const QString& folder, const QString& filter) {
        return QFileDialog::getSaveFileName(owner, QString(), folder, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
    seams.openFileName = [](QWidget* owner, const QString& title, const QString& folder, const QString& filter,
                            const QString& selectedFilter) {
        QString selected = selectedFilter;
        return QFileDialog::getOpenFileName(owner, title, folder, filter, &selected);
    };
    seams.showSdrInstruction = [&download](QWidget* owner, const SdrInstruction& box) {
        download.showSdrInstruction(owner, box);
    };
    seams.openPort = [&download](QWidget*) { return download.OpenPortDL(); };
    seams.receiveFromInstrument = [&download](QWidget* owner, const std::string& tempFile,
                                              const std::string& dataFormat, const std::string& target,
                                              const CompletionStep& completion) {
        return download.ReceiveData(owner, tempFile, dataFormat, target, completion);
    };
    seams.openInEditor = &OpenInEditor;
    return seams;
}

} // namespace tavrelo
