#pragma once
// The SDR-33 settings dialog: units and corrections that the SDR-33 writer puts into
// its header records, one option group each. Its load fills the groups from
// [SDR33 Settings]; OK writes the eight indexes back (a file it cannot write is named
// in a box, with the reason) and puts them into the option store the writer reads;
// Cancel and the close box save nothing and leave "Cancel" in TransferStatus, like
// every option dialog. It has no control texts in the settings file and no setup-mode
// handling.
#include "conversion/SdrOptions.h"

#include <QDialog>

#include <array>
#include <vector>

class QRadioButton;

namespace tavrelo {

class SettingsModel;
class UserInteraction;
struct ProgramState;

class F_Sdr : public QDialog {
    Q_OBJECT
public:
    // The groups in table order (and in the order of the section's keys).
    enum Group { OpAng, OpDis, OpPres, OpTemp, OpTP, OpCR, OpRCon, OpSL, kGroupCount };

    // The load: the section read into the groups, unless the settings file is being
    // rewritten (CreateIniMode), when the design selections stay.
    // model gives the title of the box of a save that failed.
    F_Sdr(const SettingsModel& model, ProgramState& state, UserInteraction& ui, SdrOptions& store,
          QWidget* owner = nullptr);

    QRadioButton* option(Group group, int index) const { return m_options[group][index]; }
    // The index of the first selected button of each group.
    SdrOptions selection() const;

public slots:
    // Cancel, Escape and the close box: closed without saving, TransferStatus "Cancel".
    void reject() override;

private:
    void createGroups();
    void select(const SdrOptions& options);
    void OpCR_Click();
    void ComOK_Click();

    const SettingsModel& m_model;
    UserInteraction& m_ui;
    ProgramState& m_state;
    SdrOptions& m_store;
    std::array<std::vector<QRadioButton*>, kGroupCount> m_options;
};

} // namespace tavrelo
