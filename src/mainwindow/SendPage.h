#pragma once
// The Send page of the main window: the file to send and its format, Browse, the
// send format's Settings, Edit and Send. A name is accepted only for an existing file
// with data or a file the new send file dialog has just created; Edit and Send stay
// disabled otherwise. Send opens the upload port, shows the upload field-order dialog
// for a coordinate file and the upload window, closes the port on every road and
// reports an upload that did not complete.
#include "mainwindow/FormGeometry.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrelo {

class DialogHost;
class F_EdSdF;
class SettingsModel;
class UserInteraction;
struct OptionStores;
struct ProgramState;
struct UploadJob;

// What the Send page asks of the world outside the program; tests put their own
// answers in place of the program's Qt file dialog and editor start.
struct SendSeams {
    // The open dialog with a title and a filter; "" when cancelled.
    std::function<QString(QWidget* owner, const QString& title, const QString& folder, const QString& filter)>
        openFileName;
    // Starts the editor (program "" for the desktop's viewer) with the file as its one
    // argument; false with the reason on failure.
    std::function<bool(const QString& program, const QString& file, QString* error)> openInEditor;
};

class SendPage : public QWidget {
    Q_OBJECT
public:
    SendPage(SettingsModel& model, ProgramState& state, UserInteraction& ui, OptionStores& options,
             QWidget* parent = nullptr);
    ~SendPage() override;

    SendSeams& seams() { return m_seams; }

    // The send-format list filled and the remembered format selected.
    void restoreChoices();
    void ResizeForm(const FormGeometry& geometry);

signals:
    // Send could not open the serial port: the Settings page is where it is chosen.
    void portNotOpened();

private:
    void create();
    void wire();
    void ComboDataFormatSend_Click();
    void TxFileNameSend_Change();

    // The file choices (SendFileChoices.cpp).
    void TestSendFile();
    // The name is that of a file with data, accepted without a word.
    bool nameReadyToSend() const;
    void ComBrowseSend_Click();
    void TxFileNameSend_LostFocus();
    void ComSettingSend_Click();
    void ComEditSend_Click();
    bool offerNewFile(const std::string& path);
    QString browseFilter() const;
    // The open dialog's pattern of the send format ("*.kof"); null for every file.
    const char* browsePattern() const;
    void enableCommands(bool enabled);
    std::string sendFileName() const;

    // The upload command (SendCommand.cpp).
    void ComSend_Click();
    bool checkSendInput();
    bool createTempFile();
    UploadJob uploadJob(int format) const;
    void reportAborted();

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    OptionStores& m_options;
    SendSeams m_seams;
    std::unique_ptr<DialogHost> m_dialogs;
    // Kept while it is only hidden (Cancel), so its choice survives to the next showing.
    QPointer<F_EdSdF> m_newFileDialog;
    // The name is being checked: a focus change inside the check is no new edit.
    bool m_checkingName = false;

    QGroupBox* m_frSend;
    QLabel* m_lbFileNameSend;
    QLineEdit* m_txFileNameSend;
    QPushButton* m_comBrowseSend;
    QLabel* m_lbDataFormaSend;
    QComboBox* m_comboDataFormatSend;
    QPushButton* m_comSettingSend;
    QPushButton* m_comEditSend;
    QPushButton* m_comSend;
};

} // namespace tavrelo
