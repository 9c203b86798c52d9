#pragma once
// What the two coordinate field-order dialogs F_UsDeCo (conversion) and F_UpCoo
// (upload) share: the same controls, layout, load and OK; they differ only in their
// store's section, item count and the key of the window's own text section.
//
// Made, the dialog reads the settings file again into a working copy of its options.
// OK writes Field1..Field5 and Separator of the section, updates the store and ends
// accepted; a pending "UpLoadCoord" request becomes "Comma" or "Space" for the
// upload window. Cancel (Escape, the close box) writes nothing, leaves the store and
// sets TransferStatus "Cancel", so no conversion or upload follows a dialog the user
// closed. In setup mode OK saves the control text sections only and ends the dialog
// as not accepted; the options and TransferStatus are left as they are.
#include "conversion/CoordinateFieldOptions.h"
#include "dialogs/ControlSectionNames.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/FieldOrderFrames.h"

#include <QDialog>

class QPushButton;

namespace tavrelo {

class SettingsModel;
struct ProgramState;
class UserInteraction;

class CoordFieldOrderDialog : public QDialog {
    Q_OBJECT
public:
    // The options the dialog shows (not yet accepted).
    const CoordinateFieldOptions& options() const { return m_options; }
    // The failure number of the last OK's write, 0 when it was written.
    int saveError() const { return m_saveError; }
    // The control text sections, and the setup-mode right-click requests.
    DialogTexts* texts() { return &m_texts; }

public slots:
    void reject() override;

protected:
    // textKeys: the control text sections in the order they are applied and saved.
    CoordFieldOrderDialog(SettingsModel& model, ProgramState& state, CoordinateFieldOptions& store,
                          UserInteraction& interaction, QWidget* parent, const char* objectName,
                          const std::vector<std::string>& textKeys, const std::string& windowKey);

    void showEvent(QShowEvent* event) override;

private:
    void registerEditables();
    void load(const SectionNames& names);
    void wire();
    void layOut();
    void ComOK_Click();

    SettingsModel& m_model;
    ProgramState& m_state;
    CoordinateFieldOptions& m_store;
    UserInteraction& m_interaction;
    CoordinateFieldOptions m_options;
    DialogTexts m_texts;
    FieldOrderFrames m_frames;
    QPushButton* m_comOK;
    int m_saveError = 0;
};

// The prefix of the field-order dialogs' control text sections.
constexpr const char* kCoordFormPrefix = "CoordForm_";

} // namespace tavrelo
