#pragma once
// The windows the conversion dispatch and the Receive page's Settings button show:
// each option dialog is made when it is needed, shown modally and destroyed when it
// closes, so its next use reads its settings section afresh. The exception: the KOF
// and DXF dialogs accepted for the conversion of a file on disk stay loaded, hidden,
// and their next use shows them again as the user left them (the KOF dialog until
// the raw-data conversion it was shown for unloads it), except that the KOF dialog's
// project and date follow the target and the day of each use. The "Converting" note stands
// while a converter runs and the "Finished" window ends a file conversion.
#include "conversion/ConversionDispatch.h"
#include "dialogs/F_KOFStp.h"

#include <functional>
#include <map>
#include <memory>

class QDialog;
class QWidget;

namespace tavrelo {

class F_MsgCon;
class SettingsModel;
class UserInteraction;
struct OptionStores;
struct ProgramState;

enum class OptionDialog { Kof, Calc, FieldOrder, Dxf, Sdr, UploadFieldOrder };

class DialogHost : public DispatchHost {
public:
    // mainWindow: the owner of the windows shown over the main window; job: what the
    // KOF dialog takes from the Receive page when it is made.
    DialogHost(SettingsModel& model, ProgramState& state, UserInteraction& ui, OptionStores& options,
               std::function<QWidget*()> mainWindow, std::function<KofJob()> job);
    ~DialogHost() override;

    // Shows the dialog modally, owned by the main window or by none; true when the
    // user accepted it with OK.
    bool open(OptionDialog which, bool overMainWindow);

    bool showKofDialog() override { return open(OptionDialog::Kof, true); }
    bool showDxfDialog() override { return open(OptionDialog::Dxf, true); }
    bool showCalcDialog() override { return open(OptionDialog::Calc, true); }
    void unloadKofDialog() override;
    void showConvertingNote(const std::string& sourceCaption) override;
    void hideConvertingNote() override;
    void showFinished() override;

private:
    std::unique_ptr<QDialog> make(OptionDialog which, QWidget* owner);
    // True when the dialog, just accepted, stays loaded and hidden.
    bool staysLoaded(OptionDialog which) const;

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    OptionStores& m_options;
    std::function<QWidget*()> m_mainWindow;
    std::function<KofJob()> m_job;
    std::unique_ptr<F_MsgCon> m_note;
    std::map<OptionDialog, std::unique_ptr<QDialog>> m_loaded; // loaded and hidden
};

} // namespace tavrelo
