#include "dialogs/F_SetCalcCoo.h"

#include "app/DefaultControlTexts.h"
#include "app/FileHelpers.h"
#include "app/ProgramState.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "app/gui/Twips.h"
#include "dialogs/ControlSectionNames.h"
#include "dialogs/DialogControls.h"
#include "dialogs/SettingsSaveReport.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace tavrelo {

namespace {

// One row of option buttons in the "Corrections:" frame and the option it holds.
struct OptionRow {
    const char* labelName;
    const char* labelText; // the row's design text; LbCurRef etc. take theirs from the section
    const char* optionName;
    const char* firstText;
    const char* secondText;
    double top; // twips within the frame
    int CalcOptions::*value;
};

// The atmospheric row exists for the section's key but is never shown: it lies
// hidden under the curvature row.
constexpr OptionRow kRows[F_SetCalcCoo::kOptionRows] = {
    {"Label5", "Temperature and Pressure", "OpTP", "On", "Off", 200, &CalcOptions::temperatureAndPressure},
    {"LbCurRef", "Curvature and Refraction", "OpCR", "On", "Off", 200, &CalcOptions::curvatureAndRefraction},
    {"LbRefCon", "Refraction constant", "OpRCon", "0.132", "0.200", 600, &CalcOptions::refractionConstant},
    {"LbSeaLevel", "Sea level", "OpSL", "On", "Off", 1000, &CalcOptions::seaLevel},
};
constexpr int kCurvatureRow = 1;
constexpr int kRefractionRow = 2;
constexpr int kHiddenRow = 0;

// Layout, twips.
constexpr double kMargin = 96;
constexpr double kGap = 48;
constexpr double kRowHeight = 315;
constexpr double kRowLabelLeft = 120;
constexpr double kOptionLefts[2] = {2800, 3900};
constexpr double kScaleTop = 1400;
constexpr double kCheckScLeft = 120;
constexpr double kTxScaleLeft = 2940;
constexpr double kFormExtraWidth = 336;

constexpr int kScaleSelectLength = 10;
const char* const kControlFileFilter = "*.txt (*.txt);;*.* (*)";
const char* const kProgramTitle = "Tavrelo";
SectionNames Sections()
{
    return {ControlKeysOf(SettingsWindow::CalcCoord), "SetCalcCoordForm", "SetCalcCoordForm_"};
}

double Bottom(const QWidget* widget)
{
    return TwipsTop(widget) + TwipsHeight(widget);
}

void CenterVertically(QWidget* widget, double top, double height)
{
    SetTwipsTop(widget, top + (height - TwipsHeight(widget)) / 2);
}

} // namespace

F_SetCalcCoo::F_SetCalcCoo(SettingsModel& model, ProgramState& state, CalcOptions& store,
                           UserInteraction& interaction, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_store(store)
    , m_interaction(interaction)
    , m_pickFile([](QWidget* owner, const QString& filter) {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), filter);
    })
    , m_texts(this)
    , m_fields(this)
{
    setObjectName("F_SetCalcCoo");
    setModal(true);
    createControlFileFrame();
    createCorrectionsFrame();
    m_comOK = MakeNamed<QPushButton>(this, "ComOK");
    m_comOK->setDefault(true);
    AddSectionsByName(m_texts, this, Sections());
    registerEditables();
    load();
    wire();
    layOut();
}

void F_SetCalcCoo::createControlFileFrame()
{
    m_fr4 = MakeNamed<QGroupBox>(this, "Fr4");
    m_checkControlFile = MakeNamed<QCheckBox>(m_fr4, "CheckControlFile");
    m_txControlFile = MakeNamed<QLineEdit>(m_fr4, "TxControlFile");
    m_comSelectFile = MakeNamed<QPushButton>(m_fr4, "ComSelectFile");
    m_comSelectFile->setAutoDefault(false);
    m_txControlFile->installEventFilter(this);
}

void F_SetCalcCoo::createCorrectionsFrame()
{
    m_fr3 = MakeNamed<QGroupBox>(this, "Fr3");
    for (int r = 0; r < kOptionRows; ++r) {
        const OptionRow& row = kRows[r];
        // Each row is its own container, so that its two options exclude each other only.
        m_pic2[r] = MakeNamed<QWidget>(m_fr3, "Pic2", r);
        m_rowLabel[r] = MakeNamed<QLabel>(m_pic2[r], row.labelName);
        m_rowLabel[r]->setText(row.labelText);
        for (int k = 0; k < 2; ++k) {
            m_rowOption[r][k] = MakeNamed<QRadioButton>(m_pic2[r], row.optionName, k);
            m_rowOption[r][k]->setText(k == 0 ? row.firstText : row.secondText);
        }
    }
    m_pic2[kHiddenRow]->hide();
    m_checkScFactor = MakeNamed<QCheckBox>(m_fr3, "CheckScFactor");
    m_txScaleFactor = MakeNamed<QLineEdit>(m_fr3, "TxScaleFactor");
    m_txScaleFactor->setAlignment(Qt::AlignCenter);
    m_txScaleFactor->installEventFilter(this);
}

void F_SetCalcCoo::registerEditables()
{
    // The window hands itself over as a captioned control, as its right-click always did.
    for (QWidget* widget : std::initializer_list<QWidget*>{this, m_checkControlFile, m_checkScFactor, m_comOK,
                                                           m_comSelectFile, m_fr3, m_fr4})
        m_texts.addEditable(widget, EditKind::Caption);
    for (QWidget* label : m_rowLabel)
        m_texts.addEditable(label, EditKind::Caption);
    m_fields.addEditables(m_texts);
    // The boxes are enabled and shown in setup mode, so they take the right-click themselves.
    m_texts.addEditable(m_txControlFile, EditKind::NoCaption);
    m_texts.addEditable(m_txScaleFactor, EditKind::NoCaption);
    m_texts.setSetupMode(m_state.SetupMode);
}

void F_SetCalcCoo::load()
{
    LoadDialog(m_texts, this, Sections(), m_model, m_state, m_options);
    display();
}

void F_SetCalcCoo::display()
{
    m_fields.display(m_options.fields);
    for (int r = 0; r < kOptionRows; ++r) {
        const QSignalBlocker first(m_rowOption[r][0]);
        const QSignalBlocker second(m_rowOption[r][1]);
        m_rowOption[r][m_options.*kRows[r].value == 0 ? 0 : 1]->setChecked(true);
    }
    {
        const QSignalBlocker scale(m_checkScFactor);
        const QSignalBlocker file(m_checkControlFile);
        m_checkScFactor->setChecked(m_options.mapProjection);
        m_checkControlFile->setChecked(m_options.checkControlFile);
    }
    m_txScaleFactor->setText(ToQt(m_options.scaleFactorText));
    m_txControlFile->setText(ToQt(m_options.controlFileText));
    OpCR_Click();
    CheckScFactor_Click();
    CheckControlFile_Click();
}

void F_SetCalcCoo::collect()
{
    m_fields.collect(m_options.fields);
    for (int r = 0; r < kOptionRows; ++r)
        m_options.*kRows[r].value = m_rowOption[r][0]->isChecked() ? 0 : 1;
    m_options.mapProjection = m_checkScFactor->isChecked();
    m_options.scaleFactorText = FromQt(m_txScaleFactor->text());
    m_options.checkControlFile = m_checkControlFile->isChecked();
    m_options.controlFileText = FromQt(m_txControlFile->text());
}

void F_SetCalcCoo::wire()
{
    connect(m_comOK, &QPushButton::clicked, this, &F_SetCalcCoo::ComOK_Click);
    connect(m_comSelectFile, &QPushButton::clicked, this, &F_SetCalcCoo::ComSelectFile_Click);
    connect(m_checkControlFile, &QCheckBox::toggled, this, &F_SetCalcCoo::CheckControlFile_Click);
    connect(m_checkScFactor, &QCheckBox::toggled, this, &F_SetCalcCoo::CheckScFactor_Click);
    for (QRadioButton* option : m_rowOption[kCurvatureRow])
        connect(option, &QRadioButton::toggled, this, &F_SetCalcCoo::OpCR_Click);
}

void F_SetCalcCoo::showEvent(QShowEvent* event)
{
    layOut();
    QDialog::showEvent(event);
}

void F_SetCalcCoo::layOut()
{
    const double framesBottom = m_fields.layout();
    const double innerWidth = std::max(m_fields.framesWidth() + kMargin, layOutCorrections());

    // "Control file": the tick, then the name box and Browse on one line.
    MoveTwips(m_fr4, kMargin, framesBottom + kGap);
    SetTwipsWidth(m_fr4, innerWidth);
    MoveTwips(m_checkControlFile, kMargin, 264);
    const double browseTop = Bottom(m_checkControlFile) + kGap;
    MoveTwips(m_txControlFile, kMargin, 0);
    MoveTwips(m_comSelectFile, TwipsLeft(m_txControlFile) + TwipsWidth(m_txControlFile) + kGap, browseTop);
    CenterVertically(m_txControlFile, browseTop, TwipsHeight(m_comSelectFile));
    SetTwipsHeight(m_fr4, std::max(TwipsHeight(m_fr4), Bottom(m_comSelectFile) + kMargin));

    MoveTwips(m_fr3, kMargin, Bottom(m_fr4) + kGap);
    SetTwipsWidth(m_fr3, innerWidth);
    for (QWidget* row : m_pic2)
        SetTwipsWidth(row, innerWidth - kMargin);
    SetTwipsHeight(m_fr3, std::max(TwipsHeight(m_fr3), Bottom(m_txScaleFactor) + kMargin));

    const double okTop = Bottom(m_fr3) + kMargin;
    FinishWindowLayout(this, m_comOK, okTop, innerWidth + kFormExtraWidth - kMargin,
                       okTop + TwipsHeight(m_comOK) + kGap);
}

namespace {

double HintWidth(const QWidget* widget)
{
    return widget->sizeHint().width() * double(kTwipsPerPixel);
}

double HintHeight(const QWidget* widget)
{
    return widget->sizeHint().height() * double(kTwipsPerPixel);
}

} // namespace

// "Corrections:": the option rows and the scale factor keep their design places as
// long as the font leaves room. A title taller than the design's moves them all down
// below it; a label wider than the design's moves the options right of it. Returns
// the frame's width that holds them.
double F_SetCalcCoo::layOutCorrections()
{
    const double down = std::max(0.0, m_fr3->contentsRect().top() * double(kTwipsPerPixel) - kRows[kCurvatureRow].top);
    double optionLeft[2] = {kOptionLefts[0], kOptionLefts[1]};
    double optionWidth[2] = {0, 0}; // as wide as the widest text of the column
    for (int r = 0; r < kOptionRows; ++r) {
        m_rowLabel[r]->adjustSize();
        if (r == kHiddenRow)
            continue;
        optionLeft[0] = std::max(optionLeft[0], kRowLabelLeft + HintWidth(m_rowLabel[r]) + 2 * kGap);
        for (int k = 0; k < 2; ++k)
            optionWidth[k] = std::max(optionWidth[k], HintWidth(m_rowOption[r][k]));
    }
    optionLeft[1] = std::max(optionLeft[1] + optionLeft[0] - kOptionLefts[0], optionLeft[0] + optionWidth[0] + kGap);
    for (int r = 0; r < kOptionRows; ++r) {
        MoveTwips(m_pic2[r], 0, kRows[r].top + down);
        SetTwipsHeight(m_pic2[r], std::max(kRowHeight, HintHeight(m_rowOption[r][0])));
        MoveTwips(m_rowLabel[r], kRowLabelLeft, 0);
        CenterVertically(m_rowLabel[r], 0, TwipsHeight(m_pic2[r]));
        for (int k = 0; k < 2; ++k) {
            SetTwipsWidth(m_rowOption[r][k], optionWidth[k]);
            SetTwipsHeight(m_rowOption[r][k], HintHeight(m_rowOption[r][k]));
            MoveTwips(m_rowOption[r][k], optionLeft[k], 0);
            CenterVertically(m_rowOption[r][k], 0, TwipsHeight(m_pic2[r]));
        }
    }
    const double scaleLeft = std::max(kTxScaleLeft, kCheckScLeft + HintWidth(m_checkScFactor) + kGap);
    MoveTwips(m_txScaleFactor, scaleLeft, kScaleTop + down);
    MoveTwips(m_checkScFactor, kCheckScLeft, kScaleTop + down);
    return std::max(optionLeft[1] + optionWidth[1], scaleLeft + TwipsWidth(m_txScaleFactor)) + kMargin;
}

void F_SetCalcCoo::CheckControlFile_Click()
{
    const bool enabled = m_checkControlFile->isChecked() || m_state.SetupMode;
    m_txControlFile->setEnabled(enabled);
    m_comSelectFile->setEnabled(enabled);
}

void F_SetCalcCoo::CheckScFactor_Click()
{
    m_txScaleFactor->setVisible(m_checkScFactor->isChecked() || m_state.SetupMode);
}

void F_SetCalcCoo::OpCR_Click()
{
    // Off keeps the chosen constant; it is only not offered.
    const bool on = m_rowOption[kCurvatureRow][0]->isChecked();
    for (QRadioButton* option : m_rowOption[kRefractionRow])
        option->setEnabled(on);
}

bool F_SetCalcCoo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        // Leaving the dialog for another window is no end of the entry.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_txScaleFactor)
                TxScaleFactor_LostFocus();
            else if (watched == m_txControlFile)
                TxControlFile_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void F_SetCalcCoo::TxScaleFactor_LostFocus()
{
    std::string text = FromQt(m_txScaleFactor->text());
    if (!CalcOptions::NormaliseScaleFactor(text)) {
        WarnScaleFactor();
        return;
    }
    m_txScaleFactor->setText(ToQt(text));
}

void F_SetCalcCoo::WarnScaleFactor()
{
    m_interaction.message(m_model.message(50), MessageButtons::Ok, MessageIcon::Critical, m_model.message(49));
    m_txScaleFactor->setFocus(Qt::OtherFocusReason);
    m_txScaleFactor->setSelection(0, kScaleSelectLength);
}

void F_SetCalcCoo::TxControlFile_LostFocus()
{
    // The name is tested as the calculation will use it: trimmed.
    std::string name;
    if (!heldControlFileName(name))
        return;
    name = Trim(name);
    if (!name.empty())
        AcceptControlFileName(name);
}

bool F_SetCalcCoo::heldControlFileName(std::string& name)
{
    if (AcceptPathFromQt(m_txControlFile->text(), name, m_interaction, m_model.message(11)))
        return true;
    m_txControlFile->clear();
    return false;
}

bool F_SetCalcCoo::AcceptControlFileName(const std::string& name)
{
    const int error = CheckFileName(name);
    if (error == 0)
        return true;
    if (error == RunError::PathNotFound)
        m_interaction.message(m_model.message(12) + "\r\n" + m_model.message(13), MessageButtons::Ok,
                              MessageIcon::Critical, m_model.message(11));
    else
        m_interaction.message(RunErrorDescription(error), MessageButtons::Ok, MessageIcon::Critical, kProgramTitle);
    m_txControlFile->clear();
    return false;
}

void F_SetCalcCoo::ComSelectFile_Click()
{
    const QString chosen = m_pickFile(this, kControlFileFilter);
    std::string name;
    if (chosen.isEmpty() || !AcceptPathFromQt(chosen, name, m_interaction, m_model.message(11)))
        return;
    if (AcceptControlFileName(name))
        m_txControlFile->setText(chosen);
}

void F_SetCalcCoo::ComOK_Click()
{
    // Enter reaches OK without leaving the box: a name that cannot be held is refused here too.
    std::string controlFile;
    if (!heldControlFileName(controlFile))
        return;
    if (m_state.SetupMode) {
        // The control-point file on screen is the one used, in every mode; the
        // section and the request word are left as they are.
        m_store.ControlFileName =
            m_checkControlFile->isChecked() ? Trim(FromQt(m_txControlFile->text())) : std::string();
        ReportSettingsSave(m_texts.save(m_model, m_state.IniPath), m_model, m_interaction);
        done(QDialog::Rejected);
        return;
    }
    collect();
    if (!m_options.accept()) {
        WarnScaleFactor();
        return;
    }
    const SettingsFileResult saved = SaveSettingsValues(m_options.settingsValues(), m_state.IniPath);
    m_saveError = saved.error;
    ReportSettingsSave(saved, m_model, m_interaction);
    m_txScaleFactor->setText(ToQt(m_options.scaleFactorText));
    m_store = m_options;
    accept();
}

void F_SetCalcCoo::reject()
{
    m_state.TransferStatus = "Cancel";
    QDialog::reject();
}

} // namespace tavrelo
