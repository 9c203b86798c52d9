#include "mainwindow/F_DatTr.h"

#include "app/ProgramState.h"
#include "app/SettingsFileSaver.h"
#include "app/SettingsFileWriter.h"
#include "app/SettingsModel.h"
#include "app/gui/ControlBinding.h"
#include "app/gui/QtText.h"
#include "app/gui/SetupEditing.h"
#include "app/gui/Twips.h"
#include "link/InstrumentDownload.h"
#include "mainwindow/Controls.h"
#include "mainwindow/F_Help.h"
#include "mainwindow/ReceivePage.h"
#include "mainwindow/SendPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/SetupOverlay.h"
#include "map/F_map.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace tavrelo {

namespace {

constexpr const char* kMainFormKey = "Main Form";
constexpr const char* kMakerLine = "Zarel survey software";

// Captioned controls whose texts setup mode does not edit: the file button shows the
// chosen file, Help and Edit have no right-click member.
constexpr const char* kNotEditable[] = {"ComFileName", "ComHelp", "ComEditSend"};

} // namespace

F_DatTr::F_DatTr(SettingsModel& model, ProgramState& state, UserInteraction& interaction, OptionStores& options,
                 QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_state(state)
    , m_interaction(interaction)
    , m_options(options)
{
    setObjectName("F_DatTr");
    setBorder();
    createFrame();
    wire();
    joinSetupMode();
    if (m_state.CreateIniMode)
        return;
    m_state.OutputFileMode = 1;
    m_mainTab->setCurrentIndex(0);
    m_state.FormLoaded = true;
    m_state.MapSwitch = true; // View Map follows every coordinate calculation from here on
}

F_DatTr::~F_DatTr()
{
    delete m_map;
}

F_map* F_DatTr::mapWindow() const
{
    return m_map.data();
}

void F_DatTr::ComMapShow_Click()
{
    if (!m_map) {
        m_map = new F_map(m_state.Map, m_interaction, [this] { return m_receivePage->conversionContext(); });
        m_map->setWindowIcon(windowIcon());
        connect(m_map, &F_map::fileOpened, m_comMapShow, &QWidget::hide);
    }
    m_map->showResult();
}

void F_DatTr::setBorder()
{
    // A fixed single border without minimise and maximise buttons; sizable in setup
    // mode, where the layout follows the size the user gives the window.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (m_state.SetupMode)
        flags |= Qt::WindowMinMaxButtonsHint;
    setWindowFlags(flags);
}

void F_DatTr::createFrame()
{
    m_mainTab = MakeControl<QTabWidget>(this, "MainTab");
    m_receivePage = new ReceivePage(m_model, m_state, m_interaction, m_options);
    m_sendPage = new SendPage(m_model, m_state, m_interaction, m_options);
    m_settingsPage = new SettingsPage(m_model, m_state, m_interaction);
    m_mainTab->addTab(m_receivePage, QString());
    m_mainTab->addTab(m_sendPage, QString());
    m_mainTab->addTab(m_settingsPage, QString());
    m_comHelp = MakeControl<QPushButton>(this, "ComHelp");
    m_comExit = MakeControl<QPushButton>(this, "ComExit");
    m_comMapShow = MakeControl<QPushButton>(this, "ComMapShow");
    m_comMapShow->setText(QStringLiteral("View Map"));
    PlaceAt(m_comMapShow, 3000, 4530);
    SetTwipsWidth(m_comMapShow, 1005);
    SetTwipsHeight(m_comMapShow, 315);
    m_comMapShow->hide();
    m_command1 = MakeControl<QPushButton>(this, "Command1");
    m_command1->setText(QStringLiteral("Save setup"));
    m_command1->hide();
    m_lbLogon = MakeControl<QLabel>(this, "LbLogon");
    m_lbLogon->setText(QString::fromLatin1(kMakerLine));
    m_lbLogon->setEnabled(false);
    SetTwipsWidth(m_lbLogon, 2800);
    SetTwipsHeight(m_lbLogon, 255);
}

void F_DatTr::wire()
{
    connect(m_mainTab, &QTabWidget::currentChanged, this, &F_DatTr::MainTab_Click);
    connect(m_comExit, &QPushButton::clicked, this, &F_DatTr::ComExit_Click);
    connect(m_command1, &QPushButton::clicked, this, &F_DatTr::Command1_Click);
    connect(m_comHelp, &QPushButton::clicked, this, &F_DatTr::ComHelp_Click);
    connect(m_comMapShow, &QPushButton::clicked, this, &F_DatTr::ComMapShow_Click);
    connect(m_receivePage, &ReceivePage::targetNameEdited, m_comMapShow, &QWidget::hide);
    connect(m_receivePage, &ReceivePage::coordinateOutputReady, m_comMapShow, &QWidget::show);
    connect(m_receivePage, &ReceivePage::portNotOpened, this, [this] { m_mainTab->setCurrentIndex(2); });
    connect(m_sendPage, &SendPage::portNotOpened, this, [this] { m_mainTab->setCurrentIndex(2); });
}

QWidget* F_DatTr::controlForKey(const std::string& key)
{
    if (key == kMainFormKey)
        return this;
    // Section keys are the control names, matched without regard to letter case
    // ("LbDataFormat" is the label LbDataformat).
    const QString name = QString::fromStdString(key);
    for (QWidget* child : findChildren<QWidget*>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

// In setup mode every captioned control but a few is a right-click member, and each
// overlay hands over the text or combo box it covers; the window's surface is none.
void F_DatTr::joinSetupMode()
{
    auto* members = new RightClickMembers(this, m_state.SetupMode, m_interaction);
    for (const ControlEntry& entry : m_model.controls()) {
        if (entry.window != SettingsWindow::Main || entry.kind != ControlKind::Captioned)
            continue;
        if (std::none_of(std::begin(kNotEditable), std::end(kNotEditable),
                         [&entry](const char* name) { return EqualsNoCase(entry.key, name); }))
            members->add(controlForKey(entry.key), EditKind::Caption);
    }
    for (SetupOverlay* overlay : findChildren<SetupOverlay*>())
        members->add(overlay, EditKind::NoCaption, overlay->covered());
}

void F_DatTr::applySettings()
{
    if (!m_state.SetupMode) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    for (const ControlEntry& entry : m_model.controls())
        if (entry.window == SettingsWindow::Main)
            ApplyControlText(controlForKey(entry.key), entry.kind, entry.text);
    if (!m_state.SetupMode)
        setFixedSize(size());
    m_receivePage->restoreChoices();
    m_settingsPage->restoreChoices();
    m_sendPage->restoreChoices();
    ResizeForm();
}

void F_DatTr::setTabCaptions()
{
    for (int i = 0; i < m_mainTab->count(); ++i)
        m_mainTab->setTabText(i, ToQt(m_model.message(i + 1)));
}

void F_DatTr::collectSettings()
{
    for (ControlEntry& entry : m_model.controls())
        if (entry.window == SettingsWindow::Main)
            ReadControlText(controlForKey(entry.key), entry.kind, entry.text);
    m_model.settings.CheckOrigDF = static_cast<int16_t>(m_receivePage->checkOrigDFValue());
    m_receivePage->download().collectTexts();
    if (m_help)
        m_help->collectTexts();
}

void F_DatTr::saveIniFile()
{
    collectSettings();
    reportSaveFailure(SaveIniFile(m_model, m_state));
}

void F_DatTr::reportSaveFailure(const SettingsFileResult& result)
{
    if (result.ok() || m_saveFailureReported)
        return;
    m_saveFailureReported = true;
    m_interaction.message(result.message(), MessageButtons::Ok, MessageIcon::Critical, m_model.message(11));
}

void F_DatTr::removeTempFile()
{
    // Created first, so that a temporary file left by a broken run goes as well.
    QFile temp(ToQt(JoinPath(m_state.AppPath, kTempFileName)));
    if (temp.open(QIODevice::WriteOnly))
        temp.close();
    temp.remove();
}

void F_DatTr::ComExit_Click()
{
    saveIniFile();
    removeTempFile();
    emit programEnded(0);
}

// The help window is made at the first Help and kept while it is only hidden.
void F_DatTr::ComHelp_Click()
{
    if (!m_help)
        m_help = std::make_unique<F_Help>(m_model, m_state, m_interaction, this);
    m_help->exec();
    if (m_help->unloadRequested())
        m_help.reset();
}

void F_DatTr::Command1_Click()
{
    collectSettings();
    reportSaveFailure(CreateIniFile(m_model, m_state));
    emit programEnded(0);
}

void F_DatTr::closeEvent(QCloseEvent* event)
{
    // Form_QueryUnload: never refused.
    event->accept();
    if (m_state.SetupMode) {
        saveIniFile();
        emit programEnded(0);
    } else if (m_state.FormLoaded) {
        emit programEnded(0);
    }
}

void F_DatTr::MainTab_Click()
{
    ResizeForm();
}

void F_DatTr::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ResizeForm();
}

void F_DatTr::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    ResizeForm();
}

FormGeometry F_DatTr::geometryOfPages() const
{
    FormGeometry g;
    g.W = WindowOuterWidth(this);
    g.H = WindowOuterHeight(this);
    g.T = g.W - 230;
    g.tabHeight = g.H - 1000;
    // Places on a page are given relative to the tab control, whose tabs lie above
    // the page; before the control is laid out the tab bar's height stands in.
    const QWidget* page = m_mainTab->currentWidget();
    const QPoint origin = m_mainTab->isVisible() && page ? page->mapTo(m_mainTab, QPoint(0, 0))
                                                         : QPoint(2, m_mainTab->tabBar()->sizeHint().height() + 2);
    g.pageLeft = origin.x() * kTwipsPerPixel;
    g.pageTop = origin.y() * kTwipsPerPixel;
    return g;
}

void F_DatTr::ResizeForm()
{
    const double W = WindowOuterWidth(this);
    const double H = WindowOuterHeight(this);
    if (H < 1000 || W < 1200)
        return;
    PlaceAt(m_mainTab, 60, 30);
    SetTwipsWidth(m_mainTab, W - 230);
    SetTwipsHeight(m_mainTab, H - 1000);

    const FormGeometry g = geometryOfPages();
    switch (m_mainTab->currentIndex()) {
    case 0: m_receivePage->ResizeForm(g); break;
    case 1: m_sendPage->ResizeForm(g); break;
    case 2: m_settingsPage->ResizeForm(g); break;
    default: break;
    }

    PlaceAt(m_comExit, W - 170 - TwipsWidth(m_comExit), H - 850);
    PlaceAt(m_comHelp, W - 500 - TwipsWidth(m_comExit) - TwipsWidth(m_comHelp), H - 850);
    PlaceAt(m_lbLogon, 60, H - 800);
    if (m_state.SetupMode)
        SetTwipsTop(m_command1, H - 850);
}

} // namespace tavrelo
