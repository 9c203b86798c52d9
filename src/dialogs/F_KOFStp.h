#pragma once
// The KOF settings dialog: the job header of a KOF file (project, date, road, city,
// surveyor) and the point-number and code conversion switches. Its load reads the
// control texts and [KOF Settings] and works out the project from the target name and
// the date from today; OK saves the control texts and the section and puts the five
// texts and the two switches into the option store that the KOF writers read.
// Cancel and the close box are the same: "Cancel" in TransferStatus, nothing saved.
//
// The conversion itself is not the dialog's: the opener (the conversion dispatch,
// through its host) runs the KOF writer when exec() returns Accepted.
#include "dialogs/DialogTexts.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrelo {

class Profile;
class SettingsModel;
class UserInteraction;
struct KofOptions;
struct ProgramState;

// What the load takes from the main window.
struct KofJob {
    int OpSourse = 0;          // 0 the instrument, 1 a file on disk
    std::string sourceCaption; // the source-file button's caption ("<filename>": none chosen)
    std::string targetName;    // the Save-as name box, as typed
    std::string today;         // "dd.mm.yy"; empty: the system's date
};

class F_KOFStp : public QDialog {
    Q_OBJECT
public:
    static constexpr int kProjectMax = 12;

    // The load (Form_Load). Under CreateIniMode the controls keep their design texts.
    F_KOFStp(SettingsModel& model, ProgramState& state, UserInteraction& ui, KofOptions& store, const KofJob& job,
             QWidget* owner = nullptr);

    // A dialog kept loaded and shown again for another conversion: the project and the
    // date follow that conversion's target and day; road, city, surveyor and the
    // switches stay as the user left them.
    void followJob(const KofJob& job);

    // The project name of a target: what follows its last separator, without the
    // part from its last "." on (a "." at the first position is kept).
    static std::string ProjectFromTarget(const std::string& target);

    QLineEdit* Tx(int index) const { return m_tx[index - 1]; } // 1..5
    QLabel* Lb(int index) const { return m_lb[index - 1]; }    // 1..5
    QCheckBox* ChkUPNC() const { return m_chkUPNC; }
    QCheckBox* ChkUCC() const { return m_chkUCC; }
    DialogTexts* texts() { return &m_texts; }

public slots:
    // Cancel, Escape and the close box.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void registerTexts();
    void loadOptions(const Profile& ini);
    void fillJob(const KofJob& job);
    void Form_Activate();
    bool Tx_LostFocus();
    void ComOK_Click();

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    KofOptions& m_store;
    DialogTexts m_texts;
    QGroupBox* m_frame;
    std::array<QLabel*, 5> m_lb{};
    std::array<QLineEdit*, 5> m_tx{};
    QCheckBox* m_chkUPNC;
    QCheckBox* m_chkUCC;
    QPushButton* m_comOK;
    QPushButton* m_comCancel;
    bool m_checkingProject = false;
};

} // namespace tavrelo
