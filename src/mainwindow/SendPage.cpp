#include "mainwindow/SendPage.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/Twips.h"
#include "mainwindow/Controls.h"
#include "mainwindow/DialogHost.h"
#include "mainwindow/EditorLaunch.h"
#include "mainwindow/F_EdSdF.h"
#include "mainwindow/FileNameDrops.h"
#include "mainwindow/SetupOverlay.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavrelo {

namespace {

SendSeams DefaultSendSeams()
{
    SendSeams seams;
    // Any name is taken, a new one too: a send file that does not exist yet is named
    // here and made by the new send file window.
    seams.openFileName = [](QWidget* owner, const QString& title, const QString& folder, const QString& filter) {
        QFileDialog dialog(owner, title, folder, filter);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    };
    seams.openInEditor = &OpenInEditor;
    return seams;
}

} // namespace

SendPage::SendPage(SettingsModel& model, ProgramState& state, UserInteraction& ui, OptionStores& options,
                   QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_options(options)
    , m_seams(DefaultSendSeams())
    , m_dialogs(std::make_unique<DialogHost>(
          model, state, ui, options, [this] { return window(); }, [] { return KofJob(); }))
{
    setObjectName("SendPage");
    create();
    wire();
}

SendPage::~SendPage() = default;

void SendPage::create()
{
    m_frSend = MakeControl<QGroupBox>(this, "FrSend");
    m_lbFileNameSend = MakeControl<QLabel>(m_frSend, "LbFileNameSend");
    m_txFileNameSend = MakeControl<QLineEdit>(m_frSend, "TxFileNameSend");
    m_comBrowseSend = MakeControl<QPushButton>(m_frSend, "ComBrowseSend");
    m_lbDataFormaSend = MakeControl<QLabel>(m_frSend, "LbDataFormaSend");
    m_comboDataFormatSend = MakeControl<QComboBox>(m_frSend, "ComboDataFormatSend");
    m_comSettingSend = MakeControl<QPushButton>(m_frSend, "ComSettingSend");
    m_comEditSend = MakeControl<QPushButton>(this, "ComEditSend");
    m_comSend = MakeControl<QPushButton>(this, "ComSend");
    enableCommands(false);
    TakeFileDrops(m_txFileNameSend);
    new SetupOverlay("ImTxFileNameSend", m_txFileNameSend, m_state.SetupMode);
    new SetupOverlay("ImComboDataFormatSend", m_comboDataFormatSend, m_state.SetupMode);
}

void SendPage::wire()
{
    connect(m_comboDataFormatSend, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &SendPage::ComboDataFormatSend_Click);
    connect(m_txFileNameSend, &QLineEdit::textChanged, this, &SendPage::TxFileNameSend_Change);
    // Enter and leaving the box both end the typing; the name is then checked.
    connect(m_txFileNameSend, &QLineEdit::editingFinished, this, &SendPage::TxFileNameSend_LostFocus);
    connect(m_comBrowseSend, &QPushButton::clicked, this, &SendPage::ComBrowseSend_Click);
    connect(m_comSettingSend, &QPushButton::clicked, this, &SendPage::ComSettingSend_Click);
    connect(m_comEditSend, &QPushButton::clicked, this, &SendPage::ComEditSend_Click);
    connect(m_comSend, &QPushButton::clicked, this, &SendPage::ComSend_Click);
}

void SendPage::restoreChoices()
{
    FillSilently(m_comboDataFormatSend, m_model.SendFormatList);
    const int16_t format = m_model.settings.DataSendFormat;
    const bool known = format >= 0 && static_cast<size_t>(format) < m_model.SendFormatList.size();
    SelectSilently(m_comboDataFormatSend, known ? format : (m_model.SendFormatList.empty() ? -1 : 0));
    ComboDataFormatSend_Click();
    m_comSettingSend->setVisible(m_model.settings.DataSendFormat == 0);
}

void SendPage::ComboDataFormatSend_Click()
{
    const int index = m_comboDataFormatSend->currentIndex();
    if (index < 0 || index == m_model.settings.DataSendFormat)
        return;
    m_model.settings.DataSendFormat = static_cast<int16_t>(index);
    m_txFileNameSend->clear();
    m_comSettingSend->setVisible(index == 0);
}

// However the name came into the box (typed, pasted, dropped, set by code), a file
// with data lights Edit and Send at once. Any other name, an empty one too, leaves them
// dark until the check at the end of the editing, which says what is wrong with the
// name or offers to create the file.
void SendPage::TxFileNameSend_Change()
{
    enableCommands(nameReadyToSend());
}

void SendPage::enableCommands(bool enabled)
{
    m_comEditSend->setEnabled(enabled);
    m_comSend->setEnabled(enabled);
}

void SendPage::ResizeForm(const FormGeometry& g)
{
    const double T = g.T;
    const double rows = TwipsHeight(m_txFileNameSend) + TwipsHeight(m_comboDataFormatSend) + 300;
    PlaceAt(m_frSend, g.left(92), g.top(380));
    SetTwipsWidth(m_frSend, T - 180);
    SetTwipsHeight(m_frSend, rows + 360);
    SetTwipsTop(m_comEditSend, g.top(380 + rows + 600));

    const double secondRow = TwipsHeight(m_txFileNameSend) + 300 + 120;
    PlaceAt(m_lbFileNameSend, 92, 300);
    PlaceAt(m_txFileNameSend, 1600, 300);
    SetTwipsTop(m_comBrowseSend, 300);
    PlaceAt(m_lbDataFormaSend, 92, secondRow);
    PlaceAt(m_comboDataFormatSend, 1600, secondRow);
    SetTwipsTop(m_comSettingSend, secondRow);
    if (g.W - 3300 > 0) {
        SetTwipsWidth(m_txFileNameSend, g.W - 3300);
        SetTwipsWidth(m_comboDataFormatSend, g.W - 3300);
    }
    SetTwipsLeft(m_comBrowseSend, T - TwipsWidth(m_comBrowseSend) - 270);
    SetTwipsLeft(m_comSettingSend, T - TwipsWidth(m_comSettingSend) - 270);
    SetTwipsLeft(m_comEditSend, g.left(T - TwipsWidth(m_comEditSend) - 270));
    PlaceAt(m_comSend, g.left(120), g.top(g.tabHeight - TwipsHeight(m_comSend) - 120));
}

} // namespace tavrelo
