#include "mainwindow/ReceiveSeams.h"

#include "mainwindow/EditorLaunch.h"
#include "platform/UserInteraction.h"

#include <QFileDialog>

namespace tavrelo {

namespace {

constexpr const char* kNoInstrumentLink =
    "Receiving data from the instrument is not available in this version of the program.";
constexpr const char* kNoInstrumentTitle = "Download";

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

} // namespace

ReceiveSeams DefaultReceiveSeams(UserInteraction& ui)
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
    seams.showSdrInstruction = [&ui](QWidget*, const SdrInstruction& box) {
        ui.message(JoinLines(box.lines), MessageButtons::Ok, MessageIcon::Information, box.caption);
    };
    seams.openPort = [](QWidget*) { return true; };
    seams.receiveFromInstrument = [&ui](QWidget*, const std::string&) {
        ui.message(kNoInstrumentLink, MessageButtons::Ok, MessageIcon::Information, kNoInstrumentTitle);
        return false;
    };
    seams.openInEditor = &OpenInEditor;
    return seams;
}

} // namespace tavrelo
