#include "mainwindow/DialogHost.h"

#include "app/gui/F_MsgCon.h"
#include "conversion/OptionStores.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/F_Dxf.h"
#include "dialogs/F_Sdr.h"
#include "dialogs/F_SetCalcCoo.h"
#include "dialogs/F_UpCoo.h"
#include "dialogs/F_UsDeCo.h"

#include <QCoreApplication>

namespace tavrelo {

DialogHost::DialogHost(SettingsModel& model, ProgramState& state, UserInteraction& ui, OptionStores& options,
                       std::function<QWidget*()> mainWindow, std::function<KofJob()> job)
    : m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_options(options)
    , m_mainWindow(std::move(mainWindow))
    , m_job(std::move(job))
{
}

DialogHost::~DialogHost() = default;

std::unique_ptr<QDialog> DialogHost::make(OptionDialog which, QWidget* owner)
{
    switch (which) {
    case OptionDialog::Kof:
        return std::make_unique<F_KOFStp>(m_model, m_state, m_ui, m_options.kof, m_job(), owner);
    case OptionDialog::Calc:
        return std::make_unique<F_SetCalcCoo>(m_model, m_state, m_options.calc, m_ui, owner);
    case OptionDialog::FieldOrder:
        return std::make_unique<F_UsDeCo>(m_model, m_state, m_options.coordinateFields, m_ui, owner);
    case OptionDialog::Dxf:
        return std::make_unique<F_Dxf>(m_model, m_state, m_ui, m_options.dxf, owner);
    case OptionDialog::Sdr:
        return std::make_unique<F_Sdr>(m_model, m_state, m_ui, m_options.sdr, owner);
    case OptionDialog::UploadFieldOrder:
        return std::make_unique<F_UpCoo>(m_model, m_state, m_options.uploadFields, m_ui, owner);
    }
    return nullptr;
}

namespace {

// The request words whose OK, for a file source, hides the dialog instead of unloading it.
struct HiddenAfterOk {
    OptionDialog dialog;
    const char* word;
};
const HiddenAfterOk kHiddenAfterOk[] = {{OptionDialog::Kof, "ConvertToKOF"}, {OptionDialog::Dxf, "CoorToDXF"}};

} // namespace

bool DialogHost::staysLoaded(OptionDialog which) const
{
    if (m_state.SetupMode || m_job().OpSourse != 1)
        return false;
    for (const HiddenAfterOk& rule : kHiddenAfterOk)
        if (rule.dialog == which && m_state.TransferStatus == rule.word)
            return true;
    return false;
}

bool DialogHost::open(OptionDialog which, bool overMainWindow)
{
    QWidget* owner = overMainWindow ? m_mainWindow() : nullptr;
    std::unique_ptr<QDialog> dialog;
    if (const auto kept = m_loaded.find(which); kept != m_loaded.end()) {
        dialog = std::move(kept->second);
        m_loaded.erase(kept);
        if (dialog->parentWidget() != owner)
            dialog->setParent(owner, dialog->windowFlags());
        if (auto* kof = qobject_cast<F_KOFStp*>(dialog.get()))
            kof->followJob(m_job());
    } else {
        dialog = make(which, owner);
        if (!dialog)
            return false;
        if (auto* texts = dialog->findChild<DialogTexts*>())
            texts->openEditorOnRequest(dialog.get(), m_ui);
    }
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (accepted && staysLoaded(which))
        m_loaded[which] = std::move(dialog);
    return accepted;
}

void DialogHost::unloadKofDialog()
{
    m_loaded.erase(OptionDialog::Kof);
}

void DialogHost::showConvertingNote(const std::string& sourceCaption)
{
    m_note = std::make_unique<F_MsgCon>(m_model, m_mainWindow());
    m_note->showConverting(sourceCaption);
}

void DialogHost::hideConvertingNote()
{
    m_note.reset();
}

void DialogHost::showFinished()
{
    F_MsgCon finished(m_model, m_mainWindow());
    finished.showFinished();
    QCoreApplication::processEvents();
}

} // namespace tavrelo
