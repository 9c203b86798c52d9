#pragma once
// The Send page of the main window: the file to send, its format and the Edit and
// Send buttons. The upload itself comes with the instrument link; here the page
// keeps the send format in the program settings.
#include "mainwindow/FormGeometry.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrelo {

class SettingsModel;
struct ProgramState;
class SetupOverlay;

class SendPage : public QWidget {
    Q_OBJECT
public:
    SendPage(SettingsModel& model, ProgramState& state, QWidget* parent = nullptr);

    // The send-format list filled and the remembered format selected.
    void restoreChoices();
    void ResizeForm(const FormGeometry& geometry);

private:
    void create();
    void wire();
    void ComboDataFormatSend_Click();
    void TxFileNameSend_Change();

    // Buttons whose commands come with the upload work.
    void ComBrowseSend_Click() {}
    void ComSettingSend_Click() {}
    void ComEditSend_Click() {}
    void ComSend_Click() {}

    SettingsModel& m_model;
    ProgramState& m_state;

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
