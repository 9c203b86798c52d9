// The Send command: the upload field-order dialog for a coordinate file, the check of
// the file to send, the upload port, the temporary file, the upload window, and the
// report of an upload that did not complete. The port belongs to the upload window
// and closes with it, so every road out of the command leaves the port free for the
// next Download or Send.
#include "mainwindow/SendPage.h"

#include "app/FileHelpers.h"
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "conversion/OptionStores.h"
#include "link/F_UL.h"
#include "link/PortSetup.h"
#include "link/core/PortSettings.h"
#include "link/core/UploadBuilders.h"
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
    const int format = m_model.settings.DataSendFormat;
    const bool opensWindow = format >= 0 && format < static_cast<int>(std::size(kRequestWords));
    if (opensWindow) {
        m_state.TransferStatus = kRequestWords[format];
        // The field order first, so that the file is checked as it will be sent before
        // the temporary file and the port are touched.
        if (format == 0 && !m_dialogs->open(OptionDialog::UploadFieldOrder, true)) {
            reportAborted();
            return;
        }
        // In setup mode nothing is sent: the window opens for its texts whatever the file.
        if (!m_state.SetupMode && !checkSendInput())
            return;
    }
    F_UL upload(m_model, m_state, m_ui, window());
    if (!OpenPort(upload.link(), m_model, m_state, m_ui)) {
        emit portNotOpened();
        return;
    }
    // Emptied only once the port is open: until then it may hold the only copy of the
    // lines a cancelled download left. A failure closes the port with the window.
    if (!createTempFile())
        return;
    if (opensWindow) {
        upload.prepare(uploadJob(format));
        upload.exec();
        if (m_state.SetupMode) // the window goes now: its edited texts stay for Exit
            upload.collectTexts(m_model);
    }
    upload.link().close();
    if (m_state.TransferStatus != "UpOK")
        reportAborted();
}

UploadJob SendPage::uploadJob(int format) const
{
    UploadJob job;
    job.inputPath = StripQuotes(sendFileName());
    job.tempPath = JoinPath(m_state.AppPath, kTempFileName);
    job.options.fieldOrder = m_options.uploadFields.field;
    job.options.eastingFirst = m_model.settings.StCombCoord0 == 1;
    job.texts = ChosenTransferTexts(m_model, ListItem(m_model.SendFormatList, format));
    return job;
}

// The whole file is built once without keeping its lines: a file the instrument
// cannot take, or that gives no line to send, is refused before the port opens.
bool SendPage::checkSendInput()
{
    UploadKind kind;
    if (!UploadKindOfRequest(m_state.TransferStatus, kind))
        return true; // the upload window leaves such a request alone
    const UploadJob job = uploadJob(m_model.settings.DataSendFormat);
    const std::string problem = UploadBuildProblem(TryUploadFile(kind, job.inputPath, job.options), job.inputPath);
    if (problem.empty())
        return true;
    m_ui.message(problem, MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
    return false;
}

void SendPage::reportAborted()
{
    m_ui.message(m_model.message(20), MessageButtons::Ok, MessageIcon::Critical, m_model.message(16));
}

} // namespace tavrelo
