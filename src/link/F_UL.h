#pragma once
// The upload window "Send data": shows the communication settings and the send
// format, waits for Send, turns the chosen file into upload lines in the temporary
// file and sends them line by line with a progress bar.
//
// The result comes back in TransferStatus: "UpOK" only when every line has been taken
// by the port; "Esc" after Cancel; otherwise the request word stays ("Comma", "Space",
// "UpLoadZVK", "UpLoadKOF"), so the caller reports the upload as aborted. The close
// box and Escape stop a send like Cancel. In setup mode the close box is refused with
// the setup-mode box, and Cancel and Send only hide the window.
#include "link/SerialLink.h"
#include "link/TransferFrames.h"
#include "link/UploadSender.h"
#include "link/core/UploadBuilders.h"

#include <QDialog>

#include <string>

class QProgressBar;
class QPushButton;

namespace tavrelo {

class DialogTexts;
class SettingsModel;
class UserInteraction;
struct ProgramState;

struct UploadJob {
    std::string inputPath; // the file named on the Send tab
    std::string tempPath;  // the temporary file the upload lines go through
    UploadOptions options;
    TransferSettingsTexts texts;
};

class F_UL : public QDialog {
    Q_OBJECT
public:
    // The load: the "UL_" sections read from the settings file (nothing read while the
    // file is being rebuilt) and the rows laid out.
    F_UL(SettingsModel& model, ProgramState& state, UserInteraction& ui, QWidget* parent = nullptr);

    // The window's own serial link, opened by the caller before the window is shown;
    // it closes with the window.
    SerialLink& link() { return m_link; }
    // The job to send; its settings and format shown in the value labels (in setup
    // mode too, where those labels' texts are edited as they stand).
    void prepare(const UploadJob& job);

    QProgressBar* PrBar() const { return m_prBar; }
    // The live texts into the model, where Exit saves them from (setup mode's edits).
    void collectTexts(SettingsModel& model) const;

public slots:
    void reject() override;

private:
    void wire();
    void joinSetupMode();
    void layOut();
    void ComSend_Click();
    void ComCancel_Click();
    void UploadTempFile(int64_t lineCount);
    void onFinished(bool complete, const QString& reason);
    void stopSending();
    void showError(const std::string& text);

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    UploadJob m_job;
    SerialLink m_link;
    UploadSender m_sender;
    DialogTexts* m_texts;
    TransferFrames m_frames;
    QProgressBar* m_prBar;
    QPushButton* m_comSend;
    QPushButton* m_comCancel;
    std::string m_leftOutText; // the lines of the list left out, told with the success
};

} // namespace tavrelo
