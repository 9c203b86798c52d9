// The Receive page's Settings button, which opens the option dialog of the chosen
// format, and "View saved file", which opens the target in the editor.
#include "mainwindow/ReceivePage.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "dialogs/F_KOFStp.h"
#include "mainwindow/DialogHost.h"
#include "mainwindow/EditorLaunch.h"
#include "platform/UserInteraction.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tavrelo {

namespace {

struct SettingsDialogRow {
    bool file;
    int kind; // 0 raw data, 1 coordinates
    int position;
    OptionDialog dialog;
    bool overMainWindow;
};

const SettingsDialogRow kSettingsDialogs[] = {
    {false, 0, 1, OptionDialog::Kof, false},
    {false, 0, 7, OptionDialog::Calc, false},
    {false, 1, 0, OptionDialog::FieldOrder, true},
    {false, 1, 1, OptionDialog::Dxf, true},
    {false, 1, 2, OptionDialog::Kof, true},
    {false, 1, 3, OptionDialog::Sdr, false},
    {false, 1, 4, OptionDialog::Sdr, false},
    {true, 0, 0, OptionDialog::Kof, false},
    {true, 0, 4, OptionDialog::Calc, true},
    {true, 1, 0, OptionDialog::Dxf, true},
    {true, 1, 1, OptionDialog::Kof, true},
};

} // namespace

KofJob ReceivePage::kofJob() const
{
    KofJob job;
    job.OpSourse = fileSource() ? 1 : 0;
    job.sourceCaption = sourceCaption();
    job.targetName = FromQt(m_txFileName->text());
    return job;
}

void ReceivePage::ComSaveSetings_Click()
{
    const int position = m_comboDataFormat->currentIndex();
    if (position < 0)
        return;
    // No request word: the dialog's OK only stores its options.
    m_state.TransferStatus.clear();
    m_state.DialogAnswer.clear();
    for (const SettingsDialogRow& row : kSettingsDialogs) {
        if (row.file == fileSource() && row.kind == selectedKind() && row.position == position) {
            m_dialogs->open(row.dialog, row.overMainWindow);
            return;
        }
    }
}

void ReceivePage::ComViewFile_Click()
{
    if (m_state.SetupMode)
        return;
    QString error;
    if (!m_seams.openInEditor(ConfiguredEditor(m_model.settings), ToQt(targetName()), &error))
        m_ui.message(FromQt(error), MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
}

} // namespace tavrelo
