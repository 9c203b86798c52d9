#include "dialogs/CoordFieldOrderDialog.h"

#include "app/ProgramState.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsModel.h"
#include "app/gui/Twips.h"
#include "dialogs/ControlSectionNames.h"
#include "dialogs/DialogControls.h"
#include "dialogs/SettingsSaveReport.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>


namespace tavrelo {

namespace {

// Design places of the OK button and the client height, in twips.
constexpr double kOkTop = 2592;
constexpr double kClientHeight = 3090;
constexpr double kFormExtraWidth = 336;

} // namespace

CoordFieldOrderDialog::CoordFieldOrderDialog(SettingsModel& model, ProgramState& state,
                                             CoordinateFieldOptions& store, UserInteraction& interaction,
                                             QWidget* parent, const char* objectName,
                                             const std::vector<std::string>& textKeys, const std::string& windowKey)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_store(store)
    , m_interaction(interaction)
    , m_options(store.section)
    , m_texts(this)
    , m_frames(this)
    , m_comOK(MakeNamed<QPushButton>(this, "ComOK"))
{
    setObjectName(objectName);
    setModal(true);
    m_comOK->setDefault(true);
    m_frames.setTabOrderAfter(m_comOK);
    const SectionNames names{textKeys, windowKey, kCoordFormPrefix};
    AddSectionsByName(m_texts, this, names);
    registerEditables();
    load(names);
    wire();
    layOut();
}

void CoordFieldOrderDialog::registerEditables()
{
    // The window hands itself over as a captioned control, as its right-click always did.
    for (QWidget* widget : std::initializer_list<QWidget*>{this, m_comOK})
        m_texts.addEditable(widget, EditKind::Caption);
    m_frames.addEditables(m_texts);
    m_texts.setSetupMode(m_state.SetupMode);
}

void CoordFieldOrderDialog::load(const SectionNames& names)
{
    LoadDialog(m_texts, this, names, m_model, m_state, m_options);
    m_frames.display(m_options);
}

void CoordFieldOrderDialog::wire()
{
    connect(m_comOK, &QPushButton::clicked, this, &CoordFieldOrderDialog::ComOK_Click);
}

void CoordFieldOrderDialog::showEvent(QShowEvent* event)
{
    layOut();
    QDialog::showEvent(event);
}

void CoordFieldOrderDialog::layOut()
{
    m_frames.layout();
    FinishWindowLayout(this, m_comOK, kOkTop, m_frames.framesWidth() + kFormExtraWidth, kClientHeight);
}

void CoordFieldOrderDialog::ComOK_Click()
{
    if (m_state.SetupMode) {
        // Texts only: the options and the request word stay as they are.
        ReportSettingsSave(m_texts.save(m_model, m_state.IniPath), m_model, m_interaction);
        done(QDialog::Rejected);
        return;
    }
    m_frames.collect(m_options);
    const SettingsFileResult saved = SaveSettingsValues(m_options.settingsValues(), m_state.IniPath);
    m_saveError = saved.error;
    ReportSettingsSave(saved, m_model, m_interaction);
    m_store = m_options;
    if (m_state.TransferStatus == "UpLoadCoord")
        m_state.TransferStatus = m_options.separator == 0 ? "Comma" : "Space";
    accept();
}

void CoordFieldOrderDialog::reject()
{
    m_state.TransferStatus = "Cancel";
    QDialog::reject();
}

} // namespace tavrelo
