#include "dialogs/F_KOFStp.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "conversion/KofOptions.h"
#include "dialogs/DialogControls.h"
#include "dialogs/SettingsSaveReport.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCheckBox>
#include <QDate>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tavrelo {

namespace {

// Design layout in twips; the frame holds the five rows.
constexpr int kClientWidth = 3945;
constexpr int kClientHeight = 3030;
constexpr TwipsPlace kFrame{105, 60, 3735, 2295};
constexpr double kTxLeft = 1035;
constexpr double kTxWidth = 2535;
constexpr double kTxHeight = 285;
constexpr double kRowTop = 255;
constexpr double kRowGap = 90;
constexpr double kLabelGap = 42;
constexpr TwipsPlace kComOK{480, 2520, 1095, 375};
constexpr TwipsPlace kComCancel{2370, 2520, 1095, 375};
// Below the design client area: out of sight unless the window's section makes it taller.
constexpr TwipsPlace kChkUPNC{225, 3192, 3495, 255};
constexpr TwipsPlace kChkUCC{225, 3624, 3495, 255};

const char* const kLabelTexts[5] = {"Project:", "Date:", "Road:", "City:", "Surveyor:"};

// A stored check value the box can hold (0, 1 or 2 greyed); anything else keeps 0.
Qt::CheckState CheckStateOf(int value)
{
    switch (value) {
    case 1: return Qt::Checked;
    case 2: return Qt::PartiallyChecked;
    default: return Qt::Unchecked;
    }
}

int ValueOf(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void SetCheckValue(QCheckBox* box, int value)
{
    box->setTristate(value == 2);
    box->setCheckState(CheckStateOf(value));
}

bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string Today()
{
    return QDate::currentDate().toString("dd.MM.yy").toStdString();
}

} // namespace

F_KOFStp::F_KOFStp(SettingsModel& model, ProgramState& state, UserInteraction& ui, KofOptions& store,
                   const KofJob& job, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
    , m_store(store)
    , m_texts(this)
{
    setObjectName("F_KOFStp");
    setWindowTitle("KOF format");
    setModal(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    resize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    createControls();
    registerTexts();
    const auto loadOptionsAndJob = [this, &job](const Profile& ini) {
        loadOptions(ini);
        if (!m_state.SetupMode)
            fillJob(job);
    };
    if (m_texts.loadWithOptions(m_model, m_state, loadOptionsAndJob))
        m_texts.setSetupMode(m_state.SetupMode);
}

void F_KOFStp::createControls()
{
    QFont plain = font(); // the window is bold, its controls are not
    plain.setBold(false);
    m_frame = MakeNamed<QGroupBox>(this, "Frame");
    m_frame->setTitle("KOF header information");
    m_frame->setFont(plain);
    PlaceTwips(m_frame, kFrame);
    for (int i = 0; i < 5; ++i) {
        m_lb[i] = MakeNamed<QLabel>(m_frame, "Lb", i + 1);
        m_lb[i]->setText(kLabelTexts[i]);
        m_lb[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_tx[i] = MakeNamed<QLineEdit>(m_frame, "Tx", i + 1);
        PlaceTwips(m_tx[i], {kTxLeft, kRowTop + i * (kTxHeight + kRowGap), kTxWidth, kTxHeight});
    }
    m_tx[0]->installEventFilter(this);
    m_chkUPNC = MakeNamed<QCheckBox>(this, "ChkUPNC");
    m_chkUPNC->setText("Use point number conversion");
    m_chkUCC = MakeNamed<QCheckBox>(this, "ChkUCC");
    m_chkUCC->setText("Use code conversion");
    m_comOK = MakeNamed<QPushButton>(this, "ComOK");
    m_comOK->setText("&OK");
    m_comOK->setDefault(true);
    m_comCancel = MakeNamed<QPushButton>(this, "ComCancel");
    m_comCancel->setText("&Cancel");
    m_comCancel->setAutoDefault(false);
    for (QWidget* w : std::initializer_list<QWidget*>{m_chkUPNC, m_chkUCC, m_comOK, m_comCancel})
        w->setFont(plain);
    PlaceTwips(m_chkUPNC, kChkUPNC);
    PlaceTwips(m_chkUCC, kChkUCC);
    PlaceTwips(m_comOK, kComOK);
    PlaceTwips(m_comCancel, kComCancel);

    setTabOrder(m_tx[4], m_comOK);
    setTabOrder(m_comOK, m_comCancel);
    setTabOrder(m_comCancel, m_chkUPNC);
    setTabOrder(m_chkUPNC, m_chkUCC);
    for (int i = 0; i < 4; ++i)
        setTabOrder(m_tx[i], m_tx[i + 1]);

    // A user's click toggles between on and off; the greyed state comes only from the file.
    for (QCheckBox* box : {m_chkUPNC, m_chkUCC})
        connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    connect(m_comOK, &QPushButton::clicked, this, &F_KOFStp::ComOK_Click);
    connect(m_comCancel, &QPushButton::clicked, this, &F_KOFStp::reject);
}

void F_KOFStp::registerTexts()
{
    m_texts.add(this, "KOF_Form", ControlKind::Window);
    m_texts.add(m_frame, "Frame", ControlKind::Captioned);
    for (int i = 0; i < 5; ++i)
        m_texts.add(m_lb[i], "KOF_Lb" + std::to_string(i + 1), ControlKind::Captioned);
    for (int i = 0; i < 5; ++i)
        m_texts.add(m_tx[i], "KOF_Tx" + std::to_string(i + 1), ControlKind::TextBox);
    m_texts.add(m_chkUPNC, "KOF_ChkUPNC", ControlKind::Captioned);
    m_texts.add(m_chkUCC, "KOF_ChkUCC", ControlKind::Captioned);
    m_texts.add(m_comOK, "KOF_ComOK", ControlKind::Captioned);
    m_texts.add(m_comCancel, "KOF_ComCancel", ControlKind::Captioned);

    m_texts.addEditable(this, EditKind::Window);
    for (int i = 0; i < 5; ++i) {
        m_texts.addEditable(m_lb[i], EditKind::Caption);
        m_texts.addEditable(m_tx[i], EditKind::NoCaption);
        if (m_state.SetupMode)
            m_tx[i]->setContextMenuPolicy(Qt::NoContextMenu);
    }
    m_texts.addEditable(m_chkUPNC, EditKind::Caption);
    m_texts.addEditable(m_chkUCC, EditKind::Caption);
}

void F_KOFStp::loadOptions(const Profile& ini)
{
    KofOptions loaded; // the design values: empty texts, boxes off
    loaded.KofpointFile = m_store.KofpointFile;
    LoadKofOptions(ini, m_state.AppPath, loaded);
    m_store.KofpointFile = loaded.KofpointFile; // program-wide, set by every load
    const std::string* texts[] = {&loaded.Road, &loaded.City, &loaded.Surveyor};
    for (int i = 0; i < 3; ++i)
        if (!texts[i]->empty())
            m_tx[i + 2]->setText(ToQt(*texts[i]));
    SetCheckValue(m_chkUPNC, loaded.UsePointNumberConversion);
    SetCheckValue(m_chkUCC, loaded.UseCodeConversion);
}

void F_KOFStp::fillJob(const KofJob& job)
{
    const QString date = ToQt(job.today.empty() ? Today() : job.today);
    m_tx[1]->setText(date);
    if (job.OpSourse == 1 && !job.sourceCaption.empty() && job.sourceCaption[0] == '<')
        return; // no source chosen yet: the project stays as it was
    m_tx[0]->setText(ToQt(ProjectFromTarget(Trim(job.targetName))));
}

void F_KOFStp::followJob(const KofJob& job)
{
    if (!m_state.SetupMode)
        fillJob(job);
}

std::string F_KOFStp::ProjectFromTarget(const std::string& target)
{
    std::string name = target;
    for (size_t i = name.size(); i-- > 0;)
        if (IsSeparator(name[i])) {
            name = name.substr(i + 1);
            break;
        }
    for (size_t i = name.size(); i-- > 1;)
        if (name[i] == '.') {
            name = name.substr(0, i);
            break;
        }
    return name;
}

// Every activation lines the labels up with their boxes, bottoms aligned.
void F_KOFStp::Form_Activate()
{
    double y = kRowTop;
    for (int i = 0; i < 5; ++i) {
        SetTwipsTop(m_tx[i], y);
        PlaceCaptionLabel(m_lb[i], m_tx[i], kLabelGap, LabelAlign::Bottom);
        y += std::max(TwipsHeight(m_tx[i]), double(m_lb[i]->height() * kTwipsPerPixel)) + kRowGap;
    }
}

void F_KOFStp::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void F_KOFStp::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

bool F_KOFStp::eventFilter(QObject* watched, QEvent* event)
{
    // Another window becoming active (a message box, another program) is no end of
    // the entry: the box keeps the focus within the dialog.
    if (watched == m_tx[0] && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Tx_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

// The project name of a KOF job line has 12 places; a longer one is cut after saying so.
// Returns false when the name was too long.
bool F_KOFStp::Tx_LostFocus()
{
    if (m_checkingProject || m_tx[0]->text().size() <= kProjectMax)
        return true;
    m_checkingProject = true;
    const std::string text = FromQt(m_lb[0]->text()) + " " + m_model.message(27);
    m_ui.message(text, MessageButtons::Ok, MessageIcon::Critical, m_model.message(28));
    m_tx[0]->setText(m_tx[0]->text().left(kProjectMax));
    m_tx[0]->setFocus();
    m_checkingProject = false;
    return false;
}

void F_KOFStp::ComOK_Click()
{
    // Enter reaches OK without leaving the project box: the check runs here too, and
    // the dialog stays open so that the user sees the name that will be written.
    if (!Tx_LostFocus())
        return;
    KofOptions& o = m_store;
    std::string* texts[] = {&o.Project, &o.Date, &o.Road, &o.City, &o.Surveyor};
    for (int i = 0; i < 5; ++i)
        *texts[i] = FromQt(m_tx[i]->text());
    o.UsePointNumberConversion = ValueOf(m_chkUPNC);
    o.UseCodeConversion = ValueOf(m_chkUCC);
    // The control texts in every mode, as the dialog always did, with the section.
    ReportSettingsSave(m_texts.save(m_model, m_state.IniPath, KofSettingsValues(o)), m_model, m_ui);
    // In setup mode OK saves and starts nothing.
    done(m_state.SetupMode ? QDialog::Rejected : QDialog::Accepted);
}

void F_KOFStp::reject()
{
    m_state.TransferStatus = "Cancel";
    QDialog::reject();
}

} // namespace tavrelo
