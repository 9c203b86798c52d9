// The Send command: the temporary file, the upload port, the upload field-order
// dialog for a coordinate file, the upload window, and the report of an upload that
// did not complete. The port belongs to the upload window and closes with it, so
// every road out of the command leaves the port free for the next Download or Send.
#include "mainwindow/SendPage.h"

#include "app/FileHelpers.h"
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "conversion/OptionStores.h"
#include "link/F_UL.h"
#include "link/PortSetup.h"
#include "link/core/PortSettings.h"
#include "mainwindow/DialogHost.h"
#include "mainwindow/F_DatTr.h"
#include "platform/FileSystem.h"
#include "platform/UserInteraction.h"

#include <QComboBox>

namespace tavrelo {

namespace {

// The request word of each send format position; past the list no window opens.
const char* const kRequestWords[] = {"UpLoadCoord", "UpLoadZVK", "UpLoadZVK", "UpLoadKOF"};

} // namespace

bool SendPage::createTempFile()
{
    OpenedFile temp;
    OpenFileMode(JoinPath(m_state.AppPath, kTempFileName), OpenForOutput, temp, m_model, m_state, m_ui);
    if (!m_state.DialogAnswer.empty()) {
        m_state.DialogAnswer.clear();
        return false;
    }
    return true;
}

void SendPage::ComSend_Click()
{
    if (!createTempFile())
        return;
    F_UL upload(m_model, m_state, m_ui, window());
    if (!OpenPort(upload.link(), m_model, m_state, m_ui)) {
        emit portNotOpened();
        return;
    }
    const int format = m_model.settings.DataSendFormat;
    if (format >= 0 && format < static_cast<int>(std::size(kRequestWords))) {
        m_state.TransferStatus = kRequestWords[format];
        const bool fieldOrderAccepted = format != 0 || m_dialogs->open(OptionDialog::UploadFieldOrder, true);
        if (fieldOrderAccepted) {
            UploadJob job;
            job.inputPath = StripQuotes(sendFileName());
            job.tempPath = JoinPath(m_state.AppPath, kTempFileName);
            job.options.fieldOrder = m_options.uploadFields.field;
            job.options.eastingFirst = m_model.settings.StCombCoord0 == 1;
            job.texts = ChosenTransferTexts(m_model, ListItem(m_model.SendFormatList, format));
            upload.prepare(job);
            upload.exec();
            if (m_state.SetupMode) // the window goes now: its edited texts stay for Exit
                upload.collectTexts(m_model);
        }
    }
    upload.link().close();
    if (m_state.TransferStatus != "UpOK")
        m_ui.message(m_model.message(20), MessageButtons::Ok, MessageIcon::Critical, m_model.message(16));
}

} // namespace tavrelo
