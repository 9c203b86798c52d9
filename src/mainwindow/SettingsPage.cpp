#include "mainwindow/SettingsPage.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "app/gui/Twips.h"
#include "link/core/PortSettings.h"
#include "mainwindow/Controls.h"
#include "mainwindow/SetupOverlay.h"
#include "platform/UserInteraction.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <cmath>

namespace tavrelo {

namespace {

// Each list of the page, the list section it shows and the setting that keeps the choice.
struct ListChoice {
    std::vector<std::string> SettingsModel::*items;
    int16_t ProgramSettings::*setting;
};

const ListChoice kCommChoices[SettingsPage::kCommCount] = {
    {&SettingsModel::PortList, &ProgramSettings::Port},
    {&SettingsModel::SpeedList, &ProgramSettings::Speed},
    {&SettingsModel::DataBitsList, &ProgramSettings::DataBits},
    {&SettingsModel::FlowControlList, &ProgramSettings::FlowControl},
};

const ListChoice kCoordChoices[SettingsPage::kCoordCount] = {
    {&SettingsModel::CoordOrderList, &ProgramSettings::StCombCoord0},
    {&SettingsModel::CoordLabelList, &ProgramSettings::StCombCoord1},
};

constexpr double kCommLabelTop = 336;
constexpr double kCommComboTop = 648;
constexpr double kCommGap = 144;
// The device line stands between the link's frame and the next one.
constexpr double kFrameGap = 90;
constexpr int kPortDeviceWatchMs = 1000;

// Selects the remembered item (item 0 when it is out of range), then runs the handler.
void Restore(QComboBox* combo, SettingsModel& model, const ListChoice& choice)
{
    const std::vector<std::string>& items = model.*choice.items;
    FillSilently(combo, items);
    int16_t& index = model.settings.*choice.setting;
    if (index < 0 || static_cast<size_t>(index) >= items.size())
        index = 0;
    SelectSilently(combo, items.empty() ? -1 : index);
}

// A list that a substituted, wider font would cut short is shown as wide as its
// items need; the width it was given is what is saved.
void FitToItems(QComboBox* combo)
{
    int text = 0;
    for (int i = 0; i < combo->count(); ++i)
        text = std::max(text, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(combo);
    const int needed =
        combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, combo->height()), combo).width();
    if (needed > combo->width())
        ShowWidthOfTwips(combo, TwipsWidth(combo), needed);
}

} // namespace

SettingsPage::SettingsPage(SettingsModel& model, ProgramState& state, UserInteraction& ui, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_pickFile([](QWidget* owner, const QString& title, const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileName(owner, title, folder, filter);
    })
{
    setObjectName("SettingsPage");
    createComm();
    createCoord();
    createEditor();
    wire();
}

void SettingsPage::createComm()
{
    m_stFrComm = MakeControl<QGroupBox>(this, "StFrComm");
    for (int i = 0; i < 6; ++i) {
        m_stLbComm[i] = MakeControl<QLabel>(m_stFrComm, ArrayName("StLbComm", i).c_str());
        SetTwipsTop(m_stLbComm[i], i == 5 ? kCommComboTop + 30 : kCommLabelTop);
    }
    for (int i = 0; i < kCommCount; ++i) {
        m_stCombComm[i] = MakeControl<QComboBox>(m_stFrComm, ArrayName("StCombComm", i).c_str());
        SetTwipsTop(m_stCombComm[i], kCommComboTop);
        new SetupOverlay(ArrayName("ImStCombComm", i).c_str(), m_stCombComm[i], m_state.SetupMode);
    }
    // Not a control of the settings file: what it shows is the machine's, not a text.
    m_portDevice = MakeControl<QLabel>(this, "PortDevice");
    m_portDeviceWatch.setInterval(kPortDeviceWatchMs);
}

void SettingsPage::createCoord()
{
    m_stFrCoord = MakeControl<QGroupBox>(this, "StFrCoord");
    const double labelLefts[kCoordCount] = {96, 1704};
    const double comboLefts[kCoordCount] = {120, 1704};
    for (int i = 0; i < kCoordCount; ++i) {
        const std::string label = ArrayName("StLbCoord", i);
        m_stLbCoord[i] = MakeControlAt<QLabel>(m_stFrCoord, label.c_str(), labelLefts[i], 336);
        const std::string combo = ArrayName("StCombCoord", i);
        m_stCombCoord[i] = MakeControlAt<QComboBox>(m_stFrCoord, combo.c_str(), comboLefts[i], 648);
        new SetupOverlay(ArrayName("ImStCombCoord", i).c_str(), m_stCombCoord[i], m_state.SetupMode, i == 1);
    }
    // The coordinate-label row is kept, restored and saved, but never offered.
    m_stLbCoord[1]->hide();
    m_stCombCoord[1]->hide();
}

void SettingsPage::createEditor()
{
    m_stFrEditor = MakeControl<QGroupBox>(this, "StFrEditor");
    m_stOpEditor[0] = MakeControlAt<QRadioButton>(m_stFrEditor, "StOpEditor0", 144, 312);
    m_stOpEditor[1] = MakeControlAt<QRadioButton>(m_stFrEditor, "StOpEditor1", 144, 624);
    m_stOpEditor[0]->setChecked(true);
    m_txEditor = MakeControlAt<QLineEdit>(m_stFrEditor, "TxEditor", 1800, 600);
    m_comEditorBrowse = MakeControlAt<QPushButton>(m_stFrEditor, "ComEditorBrowse", 5875, 600);
    new SetupOverlay("ImTxEditor", m_txEditor, m_state.SetupMode);
    m_txEditor->hide();
    m_comEditorBrowse->hide();
}

void SettingsPage::wire()
{
    for (int i = 0; i < kCommCount; ++i)
        connect(m_stCombComm[i], qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this, i] { StCombComm_Click(i); });
    for (int i = 0; i < kCoordCount; ++i)
        connect(m_stCombCoord[i], qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this, i] { StCombCoord_Click(i); });
    for (int i = 0; i < 2; ++i)
        OnSelected(m_stOpEditor[i], this, [this, i] { StOpEditor_Click(i); });
    connect(m_txEditor, &QLineEdit::textChanged, this, &SettingsPage::TxEditor_Change);
    connect(m_txEditor, &QLineEdit::editingFinished, this, &SettingsPage::TxEditor_LostFocus);
    connect(m_comEditorBrowse, &QPushButton::clicked, this, &SettingsPage::ComEditorBrowse_Click);
    connect(&m_portDeviceWatch, &QTimer::timeout, this, &SettingsPage::showPortDevices);
}

void SettingsPage::restoreChoices()
{
    m_txEditor->setText(ToQt(m_model.settings.ProgramEditor));
    for (int i = 0; i < kCommCount; ++i) {
        Restore(m_stCombComm[i], m_model, kCommChoices[i]);
        FitToItems(m_stCombComm[i]);
        StCombComm_Click(i);
    }
    for (int i = 0; i < kCoordCount; ++i) {
        Restore(m_stCombCoord[i], m_model, kCoordChoices[i]);
        FitToItems(m_stCombCoord[i]);
        StCombCoord_Click(i);
    }
    selectEditor(m_model.settings.StOpEditor);
    showPortDevices();
}

void SettingsPage::showPortDevices()
{
    QComboBox* ports = m_stCombComm[0];
    for (int i = 0; i < ports->count(); ++i)
        ports->setItemData(i, ToQt(PortDeviceLine(FindPortDevice(m_state.AppPath, i + 1))), Qt::ToolTipRole);
    const int chosen = ports->currentIndex();
    const QString line = chosen < 0 ? QString() : ToQt(PortDeviceLine(FindPortDevice(m_state.AppPath, chosen + 1)));
    if (line != m_portDevice->text()) {
        m_portDevice->setText(line);
        m_portDevice->adjustSize();
    }
}

// While the page is shown an adapter may be plugged in or a link made.
void SettingsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showPortDevices();
    m_portDeviceWatch.start();
}

void SettingsPage::hideEvent(QHideEvent* event)
{
    m_portDeviceWatch.stop();
    QWidget::hideEvent(event);
}

void SettingsPage::StCombComm_Click(int index)
{
    const int selected = m_stCombComm[index]->currentIndex();
    if (selected >= 0) // an empty list keeps the remembered choice
        m_model.settings.*kCommChoices[index].setting = static_cast<int16_t>(selected);
    if (index == 0)
        showPortDevices();
}

void SettingsPage::StCombCoord_Click(int index)
{
    const int selected = m_stCombCoord[index]->currentIndex();
    if (selected >= 0)
        m_model.settings.*kCoordChoices[index].setting = static_cast<int16_t>(selected);
}

void SettingsPage::selectEditor(int index)
{
    const int option = index == 1 ? 1 : 0;
    CheckSilently(m_stOpEditor[option]);
    StOpEditor_Click(option);
}

void SettingsPage::StOpEditor_Click(int index)
{
    m_model.settings.StOpEditor = static_cast<int16_t>(index);
    const bool other = m_stOpEditor[1]->isChecked();
    m_txEditor->setVisible(other);
    m_comEditorBrowse->setVisible(other);
}

void SettingsPage::TxEditor_Change()
{
    m_model.settings.ProgramEditor = FromQt(m_txEditor->text());
}

// An editor whose name the code page cannot hold would be started under another name.
void SettingsPage::TxEditor_LostFocus()
{
    if (m_checkingEditor)
        return;
    const QScopedValueRollback<bool> checking(m_checkingEditor, true);
    std::string editor;
    if (!AcceptPathFromQt(m_txEditor->text(), editor, m_ui, m_model.message(11)))
        m_txEditor->clear();
}

QString SettingsPage::editorFilter() const
{
    const QString programs = FilterLabel(m_model.fileTypeMessage(2)) + QStringLiteral(" (*.exe *.bat)");
    const QString all = FilterLabel(m_model.fileTypeMessage(5)) + QStringLiteral(" (*)");
#ifdef _WIN32
    return programs + QStringLiteral(";;") + all;
#else
    // Programs here carry no extension, so every file is offered first.
    return all + QStringLiteral(";;") + programs;
#endif
}

void SettingsPage::ComEditorBrowse_Click()
{
    const QString editor = ToQt(m_model.settings.ProgramEditor);
    const int separator = std::max(editor.lastIndexOf('/'), editor.lastIndexOf('\\'));
    if (editor.size() >= 2 && separator >= 0)
        m_lastBrowseFolder = editor.left(separator + 1);
    if (m_state.SetupMode)
        return;
    const QString chosen = m_pickFile(window(), ToQt(m_model.fileTypeMessage(1)), m_lastBrowseFolder, editorFilter());
    std::string chosenName;
    if (chosen.isEmpty() || !AcceptPathFromQt(chosen, chosenName, m_ui, m_model.message(11)))
        return;
    m_lastBrowseFolder = QFileInfo(chosen).absolutePath() + '/';
    m_txEditor->setText(chosen);
}

void SettingsPage::ResizeForm(const FormGeometry& g)
{
    const double width = g.T - 180;
    PlaceAt(m_stFrComm, g.left(90), g.top(380));
    const double deviceTop = 380 + TwipsHeight(m_stFrComm) + kFrameGap / 2;
    PlaceAt(m_portDevice, g.left(90 + kCommGap), g.top(deviceTop));
    const double below = deviceTop + m_portDevice->fontMetrics().height() * kTwipsPerPixel + kFrameGap / 2;
    PlaceAt(m_stFrCoord, g.left(90), g.top(below));
    PlaceAt(m_stFrEditor, g.left(90), g.top(below + TwipsHeight(m_stFrCoord) + kFrameGap));
    for (QGroupBox* frame : {m_stFrComm, m_stFrCoord, m_stFrEditor})
        SetTwipsWidth(frame, width);

    // Labels and lists of the link follow each other by the lists' actual widths.
    double p = kCommGap;
    for (int i = 0; i < kCommCount; ++i) {
        PlaceAt(m_stLbComm[i], p, kCommLabelTop);
        PlaceAt(m_stCombComm[i], p, kCommComboTop);
        p = std::round(p + ShownTwipsWidth(m_stCombComm[i]) + kCommGap);
    }
    PlaceAt(m_stLbComm[4], p, kCommLabelTop);
    SetTwipsLeft(m_stLbComm[5], p);

    const double w = g.W - TwipsLeft(m_txEditor) - TwipsWidth(m_comEditorBrowse) - 700;
    if (w > 30) {
        SetTwipsWidth(m_txEditor, w);
        SetTwipsLeft(m_comEditorBrowse, g.W - TwipsWidth(m_comEditorBrowse) - 554);
    }
}

} // namespace tavrelo
