#include "mainwindow/F_Help.h"

#include "app/HelpAddresses.h"
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/ControlBinding.h"
#include "app/gui/QtText.h"
#include "app/gui/SetupEditing.h"
#include "app/gui/Twips.h"
#include "mainwindow/Controls.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace tavrelo {

namespace {

constexpr double kOuterWidth = 3248;
constexpr double kFrameLeft = 96;
constexpr double kFrameWidth = 3000;
constexpr double kFirstLineTop = 336;
constexpr double kLineLeft = 90;
constexpr double kGap = 90;

constexpr const char* kSetupTitle = "Setup";

// The caption of a button without its access-key mark ("&OK" -> "OK").
std::string WithoutFirstAmpersand(std::string caption)
{
    const size_t mark = caption.find('&');
    if (mark != std::string::npos)
        caption.erase(mark, 1);
    return caption;
}

// The desktop has no program for the manual or the address (no xdg-open on Linux):
// the box names what could not be opened and how the user can still get to it.
std::string NothingOpens(const std::string& target, const char* instead)
{
    return "No program could be started to open " + target + "\r\n" + instead;
}

constexpr const char* kOpenTheManualYourself =
    "The desktop has no program set up for it (on Linux, xdg-open starts one). Word, WordPad and "
    "LibreOffice Writer read the manual.";
constexpr const char* kTypeTheAddress =
    "The desktop has no web browser set up (on Linux, xdg-open starts one). Type the address into a "
    "web browser.";

} // namespace

F_Help::F_Help(SettingsModel& model, const ProgramState& state, UserInteraction& ui, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_model(model)
    , m_state(state)
    , m_ui(ui)
{
    setObjectName("F_Help");
    setModal(true);
    createControls();
    Form_Load();
    joinSetupMode();
}

void F_Help::createControls()
{
    m_fr1 = MakeControl<QGroupBox>(this, "Fr1");
    for (size_t i = 0; i < m_lbCI.size(); ++i)
        m_lbCI[i] = MakeControl<QLabel>(m_fr1, ArrayName("LbCI", int(i)).c_str());
    m_fr2 = MakeControl<QGroupBox>(this, "Fr2");
    for (size_t i = 0; i < m_lbNet.size(); ++i) {
        QLabel* net = MakeControl<QLabel>(m_fr2, ArrayName("LbNet", int(i)).c_str());
        QPalette blue = net->palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        net->setPalette(blue);
        net->setCursor(Qt::PointingHandCursor);
        net->installEventFilter(this);
        m_lbNet[i] = net;
    }
    m_fr3 = MakeControl<QGroupBox>(this, "Fr3");
    m_comOpenHelpFile = MakeControl<QPushButton>(m_fr3, "ComOpenHelpFile");
    m_comOK = MakeControl<QPushButton>(this, "ComOK");
    m_comOK->setDefault(true);
    m_comOpenHelpFile->setAutoDefault(false);

    connect(m_comOK, &QPushButton::clicked, this, &F_Help::accept);
    connect(m_comOpenHelpFile, &QPushButton::clicked, this, &F_Help::ComOpenHelpFile_Click);
}

// The sections in the order the load applies them. "Help_Net0" is never read from
// the settings file, so the first address keeps its built-in text.
std::vector<F_Help::Section> F_Help::sections() const
{
    std::vector<Section> list = {{"Help_Form", const_cast<F_Help*>(this)},
                                 {"Help_Fr1", m_fr1},
                                 {"Help_Fr2", m_fr2},
                                 {"Help_Fr3", m_fr3}};
    static const char* const kLines[] = {"Help_LbCI0", "Help_LbCI1", "Help_LbCI2",
                                         "Help_LbCI3", "Help_LbCI4", "Help_LbCI5"};
    for (size_t i = 0; i < m_lbCI.size(); ++i)
        list.push_back({kLines[i], m_lbCI[i]});
    list.push_back({"Help_Net0", m_lbNet[0]});
    list.push_back({"Help_Net1", m_lbNet[1]});
    list.push_back({"Help_ComOpenHelpFile", m_comOpenHelpFile});
    list.push_back({"Help_ComOK", m_comOK});
    return list;
}

void F_Help::Form_Load()
{
    for (const Section& section : sections())
        for (const ControlEntry& entry : m_model.controls())
            if (EqualsNoCase(entry.key, section.key))
                ApplyControlText(section.widget, entry.kind, entry.text);
}

void F_Help::collectTexts()
{
    for (const Section& section : sections())
        for (ControlEntry& entry : m_model.controls())
            if (EqualsNoCase(entry.key, section.key))
                ReadControlText(section.widget, entry.kind, entry.text);
}

// Every control and the window's own surface are members; the first web address
// cannot be edited.
void F_Help::joinSetupMode()
{
    auto* members = new RightClickMembers(this, m_state.SetupMode, m_ui);
    members->add(this, EditKind::Window);
    for (QWidget* control : {static_cast<QWidget*>(m_fr1), static_cast<QWidget*>(m_fr2),
                             static_cast<QWidget*>(m_fr3), static_cast<QWidget*>(m_lbNet[1]),
                             static_cast<QWidget*>(m_comOpenHelpFile), static_cast<QWidget*>(m_comOK)})
        members->add(control, EditKind::Caption);
    for (QLabel* line : m_lbCI)
        members->add(line, EditKind::Caption);
}

bool F_Help::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        Form_Activate();
    return QDialog::event(event);
}

void F_Help::Form_Activate()
{
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    SetWindowOuterWidth(this, kOuterWidth);

    // The contact lines, with a blank line between the address and the numbers.
    double y = kFirstLineTop;
    for (size_t i = 0; i < m_lbCI.size(); ++i) {
        QLabel* line = m_lbCI[i];
        line->adjustSize();
        SetTwipsLeft(line, kLineLeft);
        SetTwipsTop(line, y);
        y += TwipsHeight(line);
        if (i == 3)
            y += TwipsHeight(line);
    }
    PlaceTwips(m_fr1, {kFrameLeft, kGap, kFrameWidth, y + TwipsHeight(m_lbCI[5])});

    y = kFirstLineTop;
    for (QLabel* net : m_lbNet) {
        net->adjustSize();
        SetTwipsLeft(net, kLineLeft);
        SetTwipsTop(net, y);
        y += 1.5 * TwipsHeight(net);
    }
    PlaceTwips(m_fr2, {kFrameLeft, TwipsTop(m_fr1) + TwipsHeight(m_fr1) + kGap, kFrameWidth,
                       y + TwipsHeight(m_lbNet[1])});

    const double buttonHeight = TwipsHeight(m_comOpenHelpFile);
    PlaceTwips(m_fr3, {kFrameLeft, TwipsTop(m_fr2) + TwipsHeight(m_fr2) + kGap, kFrameWidth, 2 * buttonHeight});
    SetTwipsTop(m_comOpenHelpFile, buttonHeight / 2 + kGap);
    SetTwipsLeft(m_comOpenHelpFile, (TwipsWidth(m_fr3) - TwipsWidth(m_comOpenHelpFile)) / 2);

    SetTwipsTop(m_comOK, TwipsTop(m_fr3) + TwipsHeight(m_fr3) + 180);
    SetTwipsLeft(m_comOK, (kOuterWidth - TwipsWidth(m_comOK)) / 2);
    SetWindowOuterHeight(this, TwipsTop(m_comOK) + TwipsHeight(m_comOK) + 180 + 340);
    setFixedSize(size());
}

// The manual is opened as a local file only. One that is missing is said so here:
// the desktop's opener would fail without a word.
void F_Help::ComOpenHelpFile_Click()
{
    const std::string& manual = m_model.settings.HelpFileName;
    if (manual.empty())
        return;
    if (!IsRegularFile(manual))
        showFailure("File not found: " + manual);
    else if (!m_ui.openDocument(DocumentKind::LocalFile, manual))
        showFailure(NothingOpens(manual, kOpenTheManualYourself));
}

// An address that is not a plain host name or an http(s) address is not opened. A
// desktop with no program for web pages is said in a box, as for the manual, so that
// the user can type the address into a browser.
void F_Help::LbNet_Click(int index)
{
    const std::string address = WebAddressOf(FromQt(m_lbNet[size_t(index)]->text()));
    if (!address.empty() && !m_ui.openDocument(DocumentKind::WebAddress, address))
        showFailure(NothingOpens(address, kTypeTheAddress));
}

void F_Help::showFailure(const std::string& text)
{
    m_ui.message(text, MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
}

bool F_Help::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        for (size_t i = 0; i < m_lbNet.size(); ++i)
            if (watched == m_lbNet[i] && m_lbNet[i]->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
                LbNet_Click(int(i));
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

void F_Help::closeEvent(QCloseEvent* event)
{
    if (m_state.SetupMode) {
        event->ignore();
        const std::string ok = WithoutFirstAmpersand(FromQt(m_comOK->text()));
        m_ui.message("The program is in setup mode.\r\nPress <" + ok + "> button", MessageButtons::Ok,
                     MessageIcon::Information, kSetupTitle);
        return;
    }
    m_unloadRequested = true;
    event->accept();
    done(QDialog::Rejected);
}

// Escape goes the way of the close box.
void F_Help::reject()
{
    close();
}

} // namespace tavrelo
