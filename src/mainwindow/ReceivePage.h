#pragma once
// The Receive page of the main window: where the data comes from (instrument or a
// file on disk), what kind it is (raw data, coordinates, Other), into which format and
// file it is saved, and the Download / Convert / View saved file buttons. The source,
// kind and remembered format positions live in the program settings at once.
#include "conversion/ConversionDispatch.h"
#include "mainwindow/FormGeometry.h"
#include "mainwindow/ReceiveSeams.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrelo {

class DialogHost;
class InstrumentDownload;
struct KofJob;
class SettingsModel;
class SetupOverlay;
class UserInteraction;
struct OptionStores;
struct ProgramState;

class ReceivePage : public QWidget {
    Q_OBJECT
public:
    // options: the stores the option dialogs edit and the converters read.
    ReceivePage(SettingsModel& model, ProgramState& state, UserInteraction& ui, OptionStores& options,
                QWidget* parent = nullptr);
    ~ReceivePage() override;

    // The file dialogs, the instrument and the editor, replaceable for tests.
    ReceiveSeams& seams() { return m_seams; }
    // The download side of the instrument link (its window and port).
    InstrumentDownload& download() { return *m_download; }

    // The remembered source, kind, format position and original-data tick put back
    // into the controls, each selection running its handler as a click would.
    void restoreChoices();
    void ResizeForm(const FormGeometry& geometry);
    // The tick of "Also save the original data format" (1 or 0), for saving.
    int checkOrigDFValue() const;

    // The context a conversion started from this page runs with: the option stores,
    // the coordinate order, the message table and the program's map tables.
    ConversionContext conversionContext();

    // Selections from code, each running its handler once.
    void selectSource(int index);
    void selectReceive(int index);
    void selectFormat(int position);

signals:
    // The Save-as name was changed, by typing or by code, or the result of the last
    // command is no longer the file named there.
    void targetNameEdited();
    // A coordinate calculation wrote its list while the map switch is on.
    void coordinateOutputReady();
    // Download could not open the serial port: the Settings page is where it is chosen.
    void portNotOpened();

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

    // The file choices and the target check (ReceiveFileChoices.cpp).
    void ComFileName_Click();
    void ComSaveBrowse_Click();
    void TxFileName_KeyPress();
    // False when it refused the name as one that cannot be created (already told).
    bool TestSaveAsFile();
    // 0 a new target, 1 an existing one, -1 a name that cannot be created (told).
    int checkTarget(const std::string& name);
    bool askAppendOrOverwrite();
    QString saveFilter() const;
    // The save dialog's pattern of the chosen format ("*.kof"); null for Other and a
    // position past the list.
    const char* savePattern() const;
    void invalidateResult();
    std::string targetName() const;
    std::string sourceCaption() const;

    // The two commands (ConvertCommand.cpp).
    void ComDLN_Click();
    void ComConv_Click();
    bool startCommand();
    bool targetIsSource() const;
    void showFormatDialog();
    bool downloadTargetUsable(const std::string& tempFile);
    std::string downloadFormatText() const;
    DispatchRequest dispatchRequest(const std::string& input) const;
    void endCommand(bool coordinateCalculation);

    // The Settings button and the editor (OptionCommands.cpp).
    void ComSaveSetings_Click();
    void ComViewFile_Click();
    KofJob kofJob() const;

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    OptionStores& m_options;
    std::unique_ptr<InstrumentDownload> m_download;
    ReceiveSeams m_seams;
    std::unique_ptr<DialogHost> m_dialogs;

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
