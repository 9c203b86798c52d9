// The file of the Send page: the check of a typed or browsed name, the new send file
// dialog for a missing one, the send format's Settings button and Edit.
#include "mainwindow/SendPage.h"

#include "app/FileHelpers.h"
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "link/core/SendFile.h"
#include "mainwindow/Controls.h"
#include "mainwindow/DialogHost.h"
#include "mainwindow/EditorLaunch.h"
#include "mainwindow/F_DatTr.h"
#include "mainwindow/F_EdSdF.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace tavrelo {

namespace {

struct SettingsDialogRow {
    int format;
    OptionDialog dialog;
    bool overMainWindow;
};

// The send format positions whose Settings button opens a dialog.
const SettingsDialogRow kSettingsDialogs[] = {
    {0, OptionDialog::UploadFieldOrder, true},
    {2, OptionDialog::Kof, true},
    {4, OptionDialog::Sdr, false},
    {5, OptionDialog::Sdr, false},
};

// File patterns of the open dialog by send format position; none offers every file only.
const char* const kBrowsePatterns[] = {nullptr, "*.txt *.cod", "*.txt *.cod", "*.kof"};

} // namespace

std::string SendPage::sendFileName() const
{
    return Trim(FromQt(m_txFileNameSend->text()));
}

void SendPage::TestSendFile()
{
    const std::string name = sendFileName();
    if (name.empty())
        return;
    switch (CheckSendFile(name, kTempFileName)) {
    case SendFileVerdict::Refused:
        m_ui.message(m_model.message(12) + "\r\n" + m_model.message(13), MessageButtons::Ok, MessageIcon::Critical,
                     m_model.message(11));
        m_txFileNameSend->clear();
        return;
    case SendFileVerdict::New:
        m_state.DialogAnswer = "New";
        return;
    case SendFileVerdict::Old:
        m_state.DialogAnswer = "Old";
        return;
    case SendFileVerdict::NoData:
        m_state.DialogAnswer.clear();
        m_ui.message(m_model.message(39), MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
        m_txFileNameSend->clear();
        return;
    case SendFileVerdict::Unusable:
        m_state.DialogAnswer.clear();
        return;
    }
}

bool SendPage::nameReadyToSend() const
{
    std::string path;
    return PathFromQt(m_txFileNameSend->text(), path) && CheckSendFile(path, kTempFileName) == SendFileVerdict::Old;
}

bool SendPage::offerNewFile(const std::string& path)
{
    if (!m_newFileDialog) {
        m_newFileDialog = new F_EdSdF(
            m_model, m_state, m_ui,
            [this](const QString& program, const QString& file, QString* error) {
                return m_seams.openInEditor(program, file, error);
            },
            window());
    }
    m_state.DialogAnswer.clear();
    m_newFileDialog->prepare(path, m_comboDataFormatSend->currentIndex(), ConfiguredEditor(m_model.settings));
    m_newFileDialog->exec();
    const bool created = m_newFileDialog && m_newFileDialog->created();
    if (created)
        delete m_newFileDialog; // OK ends the dialog; Cancel only hides it
    return created;
}

const char* SendPage::browsePattern() const
{
    const int format = m_comboDataFormatSend->currentIndex();
    const int rows = static_cast<int>(std::size(kBrowsePatterns));
    return format < 0 || format >= rows ? nullptr : kBrowsePatterns[format];
}

QString SendPage::browseFilter() const
{
    const QString allFiles = FilterLabel(m_model.fileTypeMessage(5)) + QStringLiteral(" (*)");
    const char* pattern = browsePattern();
    if (!pattern)
        return allFiles;
    return m_comboDataFormatSend->currentText() + QStringLiteral(" (%1);;").arg(pattern) + allFiles;
}

void SendPage::ComBrowseSend_Click()
{
    enableCommands(false);
    if (m_state.SetupMode)
        return;
    std::string path;
    for (;;) {
        m_state.DialogAnswer.clear();
        m_txFileNameSend->clear();
        const QString answer = m_seams.openFileName(window(), ToQt(m_model.message(26)),
                                                    ToQt(m_model.settings.UpLoadPath), browseFilter());
        if (!AcceptPathFromQt(answer, path, m_ui, m_model.message(11)))
            return;
        path = Trim(path);
        if (path.empty())
            return;
        if (!NameTaken(path)) // a new file is made under the extension of its type
            path = WithExtension(path, browsePattern());
        m_txFileNameSend->setText(ToQt(path));
        TestSendFile();
        if (m_state.DialogAnswer != "New")
            break;
        if (offerNewFile(path)) {
            m_state.DialogAnswer.clear();
            enableCommands(true);
            return;
        }
        // A new file refused: the open dialog again.
    }
    if (m_state.DialogAnswer == "Old") {
        m_txFileNameSend->setText(ToQt(path));
        m_state.DialogAnswer.clear();
        enableCommands(true);
    }
    const std::string folder = FolderOf(path);
    if (!folder.empty())
        m_model.settings.UpLoadPath = folder;
}

void SendPage::TxFileNameSend_LostFocus()
{
    if (m_checkingName)
        return;
    const QScopedValueRollback<bool> checking(m_checkingName, true);
    enableCommands(false);
    std::string path;
    if (!AcceptPathFromQt(m_txFileNameSend->text(), path, m_ui, m_model.message(11))) {
        m_txFileNameSend->clear();
        return;
    }
    path = Trim(path);
    if (path.empty())
        return;
    m_state.DialogAnswer.clear();
    TestSendFile();
    const bool stillNamed = !m_txFileNameSend->text().isEmpty();
    if (m_state.DialogAnswer == "New" && stillNamed) {
        if (offerNewFile(path))
            enableCommands(true);
        else
            m_txFileNameSend->clear();
    } else if (m_state.DialogAnswer == "Old" && stillNamed) {
        enableCommands(true);
    }
    m_state.DialogAnswer.clear();
}

void SendPage::ComSettingSend_Click()
{
    // No request word: the dialog's OK only stores its options.
    m_state.TransferStatus.clear();
    const int format = m_comboDataFormatSend->currentIndex();
    for (const SettingsDialogRow& row : kSettingsDialogs)
        if (row.format == format) {
            m_dialogs->open(row.dialog, row.overMainWindow);
            return;
        }
}

void SendPage::ComEditSend_Click()
{
    const std::string name = StripQuotes(sendFileName());
    if (name.empty())
        return;
    QString error;
    if (!m_seams.openInEditor(ConfiguredEditor(m_model.settings), ToQt(name), &error))
        m_ui.message(FromQt(error), MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
}

} // namespace tavrelo
