#pragma once
// The Receive page of the main window: where the data comes from (instrument or a
// file on disk), what kind it is (raw data, coordinates, Other), into which format and
// file it is saved, and the Download / Convert / View saved file buttons. The source,
// kind and remembered format positions live in the program settings at once.
#include "mainwindow/FormGeometry.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrelo {

class SettingsModel;
struct ProgramState;
class SetupOverlay;

class ReceivePage : public QWidget {
    Q_OBJECT
public:
    ReceivePage(SettingsModel& model, ProgramState& state, QWidget* parent = nullptr);

    // The remembered source, kind, format position and original-data tick put back
    // into the controls, each selection running its handler as a click would.
    void restoreChoices();
    void ResizeForm(const FormGeometry& geometry);
    // The tick of "Also save the original data format" (1 or 0), for saving.
    int checkOrigDFValue() const;

    // Selections from code, each running its handler once.
    void selectSource(int index);
    void selectReceive(int index);
    void selectFormat(int position);

signals:
    // The Save-as name was changed, by typing or by code.
    void targetNameEdited();

private:
    void createSource();
    void createReceiveKind();
    void createSaveAs();
    void createCommands();
    void wire();

    // Handlers and procedures of the choices (ReceiveChoices.cpp).
    void OpSourse_Click(int index);
    void OpReceive_Click(int index);
    void ComboDataFormat_Click();
    void TranCombo();
    void CheckOrigDFONOFF();
    void ShowSettingsCommand();
    void ToolTipsTextSettCom();
    void TxFileName_Change();
    void refillFormats();
    bool fileSource() const;
    int selectedKind() const;

    // Buttons whose commands come with the download and conversion work.
    void ComFileName_Click() {}
    void ComSaveBrowse_Click() {}
    void ComSaveSetings_Click() {}
    void ComDLN_Click() {}
    void ComConv_Click() {}
    void ComViewFile_Click() {}

    SettingsModel& m_model;
    ProgramState& m_state;

    QGroupBox* m_fr1;
    QRadioButton* m_opSourse[2];
    QPushButton* m_comFileName;
    QGroupBox* m_fr2;
    QRadioButton* m_opReceive[3];
    QGroupBox* m_fr3;
    QLabel* m_lbFileName;
    QLineEdit* m_txFileName;
    QPushButton* m_comSaveBrowse;
    QLabel* m_lbDataformat;
    QComboBox* m_comboDataFormat;
    QPushButton* m_comSaveSetings;
    QCheckBox* m_checkOrigDF;
    QPushButton* m_comDLN;
    QPushButton* m_comConv;
    QPushButton* m_comViewFile;
    SetupOverlay* m_imTxFileName;
    SetupOverlay* m_imComboDataFormat;
    bool m_fileNameChanged = false;
};

} // namespace tavrelo
