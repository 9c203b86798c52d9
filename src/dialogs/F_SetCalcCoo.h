#pragma once
// The coordinate calculation settings: the field order and separator of the list
// the calculator writes, the reductions (curvature and refraction with its constant,
// sea level, the map-projection scale factor; the atmospheric option is kept in the
// section but hidden and never switched on) and an optional control-point file.
// Section [Calc Coordinate Settings]; control texts "SetCalcCoordForm" and the
// "SetCalcCoordForm_" sections.
//
// Made, the dialog reads the settings file again into a working copy of CalcOptions
// (a stored scale factor outside 0.9996..1.0004 loads as "1.00000", the value then
// used). OK refuses a scale factor out of range with message 50 and stays open;
// otherwise it writes the section, puts the options, the reductions and
// ControlFileName into the store that the calculator reads, and ends accepted.
// Cancel (Escape, the close box) writes and changes nothing and sets TransferStatus
// "Cancel", so no calculation runs with settings the user did not confirm. In setup
// mode OK takes ControlFileName from the screen and saves the control text sections
// only; it ends not accepted and leaves the section and TransferStatus as they are.
#include "conversion/CalcOptions.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/FieldOrderFrames.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrelo {

class SettingsModel;
struct ProgramState;
class UserInteraction;

class F_SetCalcCoo : public QDialog {
    Q_OBJECT
public:
    // Asks for a control-point file; an empty name is a cancelled choice.
    using FilePicker = std::function<QString(QWidget* owner, const QString& filter)>;

    F_SetCalcCoo(SettingsModel& model, ProgramState& state, CalcOptions& store, UserInteraction& interaction,
                 QWidget* parent = nullptr);

    void setFilePicker(FilePicker picker) { m_pickFile = std::move(picker); }
    // The options as loaded (updated by an accepted OK).
    const CalcOptions& options() const { return m_options; }
    // The failure number of the last OK's write, 0 when it was written.
    int saveError() const { return m_saveError; }
    // The control text sections, and the setup-mode right-click requests.
    DialogTexts* texts() { return &m_texts; }

    static constexpr int kOptionRows = 4; // OpTP, OpCR, OpRCon, OpSL

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControlFileFrame();
    void createCorrectionsFrame();
    void registerEditables();
    void load();
    void display();
    void collect();
    void wire();
    void layOut();
    double layOutCorrections();

    void ComOK_Click();
    void ComSelectFile_Click();
    void CheckControlFile_Click();
    void CheckScFactor_Click();
    void OpCR_Click();
    void TxControlFile_LostFocus();
    void TxScaleFactor_LostFocus();

    // Tests a control-point file name and tells the user why it cannot be used;
    // true when it can.
    bool AcceptControlFileName(const std::string& name);
    // The box's name as the core keeps it; one that cannot be held is refused and emptied.
    bool heldControlFileName(std::string& name);
    void WarnScaleFactor();

    SettingsModel& m_model;
    ProgramState& m_state;
    CalcOptions& m_store;
    UserInteraction& m_interaction;
    CalcOptions m_options;
    FilePicker m_pickFile;
    int m_saveError = 0;

    DialogTexts m_texts;
    FieldOrderFrames m_fields;
    QGroupBox* m_fr3;
    QGroupBox* m_fr4;
    QCheckBox* m_checkControlFile;
    QLineEdit* m_txControlFile;
    QPushButton* m_comSelectFile;
    QWidget* m_pic2[kOptionRows];
    QLabel* m_rowLabel[kOptionRows];
    QRadioButton* m_rowOption[kOptionRows][2];
    QCheckBox* m_checkScFactor;
    QLineEdit* m_txScaleFactor;
    QPushButton* m_comOK;
};

} // namespace tavrelo
