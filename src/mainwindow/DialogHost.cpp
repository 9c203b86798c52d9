#include "mainwindow/DialogHost.h"

#include "app/gui/F_MsgCon.h"
#include "conversion/OptionStores.h"
#include "dialogs/F_Dxf.h"
#include "dialogs/F_Sdr.h"
#include "dialogs/F_SetCalcCoo.h"
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
        return std::make_unique<F_Sdr>(m_state, m_options.sdr, owner);
    }
    return nullptr;
}

bool DialogHost::open(OptionDialog which, bool overMainWindow)
{
    const std::unique_ptr<QDialog> dialog = make(which, overMainWindow ? m_mainWindow() : nullptr);
    return dialog && dialog->exec() == QDialog::Accepted;
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
