#include "mainwindow/StartUp.h"

#include "app/SettingsFileReader.h"
#include "app/SettingsFileWriter.h"
#include "app/SettingsLayout.h"
#include "app/gui/F_Start.h"
#include "link/InstrumentDownload.h"
#include "mainwindow/ReceivePage.h"
#include "mainwindow/F_DatTr.h"
#include "mainwindow/StartMessage.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"
#include "platform/UserInteraction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace tavrelo {

namespace {

constexpr const char* kUnreadableText =
    "The program is unable to read the saved settings\r\nDefault settings are used instead.";
constexpr const char* kUnreadableTitle = "Warning";

// The warning before a rebuild: what could not be read and where the user's own file
// is kept. A first start, without a file, has nothing more to say.
std::string UnreadableText(const SettingsReadReport& report, const std::string& iniPath, const std::string& kept)
{
    std::string text = kUnreadableText;
    if (report.fault.empty())
        return text;
    text += "\r\n\r\nIn " + iniPath + " " + report.fault + ".";
    if (!kept.empty())
        text += "\r\nYour version of the file is kept as " + kept + ".";
    return text;
}

std::string FallbackText(const SettingsReadReport& report, const std::string& iniPath)
{
    std::string text = "Some choices saved in " + iniPath + " are not in their lists:";
    for (const std::string& line : report.fallbacks)
        text += "\r\n" + line;
    return text + "\r\nChoose them again where they are wrong; Exit saves them.";
}

class StartUp {
public:
    StartUp(ProgramSession& session, UserInteraction& interaction)
        : m_session(session)
        , m_state(session.state)
        , m_model(session.model)
        , m_interaction(interaction)
    {
    }

    void run(const StartOptions& options);

private:
    void setPaths(const std::string& appFolder);
    void readSettings();
    void loadOptions();
    void rebuild();
    void reportWriteFailure(const SettingsFileResult& result);
    void waitForSplash(F_Start& splash, const QElapsedTimer& shown, int minimumMs) const;

    ProgramSession& m_session;
    ProgramState& m_state;
    SettingsModel& m_model;
    UserInteraction& m_interaction;
    bool m_writeFailed = false;
};

void StartUp::run(const StartOptions& options)
{
    m_state.MapSwitch = false;
    F_Start splash;
    splash.show();
    QCoreApplication::processEvents(); // the one pass that paints the splash
    QElapsedTimer shown;
    shown.start();

    setPaths(options.appFolder);
    const std::string command = Trim(options.commandLine);
    if (command == kSetupModeCommand)
        m_state.SetupMode = true;
    if (command == kCreateIniCommand)
        rebuild();
    readSettings();

    loadOptions();
    m_session.mainWindow = std::make_unique<F_DatTr>(m_model, m_state, m_interaction, m_session.options);
    m_session.mainWindow->setSaveFailureReported(m_writeFailed);
    m_session.mainWindow->applySettings();
    m_session.mainWindow->setTabCaptions();
    if (m_state.SetupMode) // the download window loaded unseen, for its texts
        m_session.mainWindow->receivePage()->download().window();

    waitForSplash(splash, shown, options.minimumSplashMs);
    m_session.mainWindow->show();
    splash.close();
}

void StartUp::setPaths(const std::string& appFolder)
{
    m_state.AppPath = appFolder;
    if (m_state.AppPath.empty() || m_state.AppPath.back() != kPathSeparator)
        m_state.AppPath += kPathSeparator;
    m_state.IniPath = m_state.AppPath + kIniFileName;
}

void StartUp::readSettings()
{
    if (m_writeFailed) // the file could not be written: the defaults are in memory
        return;
    SettingsReadReport report;
    if (ReadIniFile(m_model, m_state, 0, &report)) {
        if (!report.fallbacks.empty())
            TellAtStart(m_interaction, FallbackText(report, m_state.IniPath), MessageButtons::Ok,
                        MessageIcon::Exclamation, kUnreadableTitle);
        return;
    }
    // The user's file is copied before the warning says where it is kept; an
    // unreadable file is kept as it was when no copy of it can be made.
    const bool kept = IsRegularFile(m_state.IniPath);
    const SettingsFileResult backup = BackupIniFile(m_state);
    TellAtStart(m_interaction,
                UnreadableText(report, m_state.IniPath, kept && backup.ok() ? backup.path : std::string()),
                MessageButtons::Ok, MessageIcon::Exclamation, kUnreadableTitle);
    if (!backup.ok()) {
        reportWriteFailure(backup);
        LoadDefaultSettings(m_model, m_state);
        return;
    }
    rebuild();
    if (!m_writeFailed)
        ReadIniFile(m_model, m_state, 1);
}

// The option sections as the settings file holds them; when it cannot be written
// the stores keep their built-in defaults, as the file would have held them.
void StartUp::loadOptions()
{
    Profile settings;
    if (!m_writeFailed && LoadSettingsProfile(settings, m_state.IniPath))
        m_session.options.load(settings, m_state.AppPath);
}

// The file written anew with its defaults. The main window does not exist yet, so
// nothing is saved from it first, in setup mode or not, and the run goes on.
void StartUp::rebuild()
{
    m_state.DialogAnswer = kCreateIniCommand;
    // Built-in texts, as windows loaded under CreateIniMode show them.
    const int16_t sendFormat = m_model.settings.DataSendFormat;
    m_model = SettingsModel();
    m_model.settings.DataSendFormat = sendFormat;
    const SettingsFileResult result = CreateIniFile(m_model, m_state);
    if (!result.ok()) {
        reportWriteFailure(result);
        LoadDefaultSettings(m_model, m_state);
    }
}

void StartUp::reportWriteFailure(const SettingsFileResult& result)
{
    if (m_writeFailed)
        return;
    m_writeFailed = true;
    TellAtStart(m_interaction, result.message(), MessageButtons::Ok, MessageIcon::Critical, "Error");
}

// The splash stands until more than minimumMs have passed since it was shown, on a
// monotonic clock whatever the time of day, or until the user clicks it away. Its
// events are handled meanwhile, so that it repaints and takes the click; the main
// window is not shown yet and takes no input.
void StartUp::waitForSplash(F_Start& splash, const QElapsedTimer& shown, int minimumMs) const
{
    QEventLoop wait;
    bool clicked = !splash.isVisible(); // clicked away already, under the warning box
    QObject::connect(&splash, &F_Start::clicked, &wait, [&] {
        clicked = true;
        wait.quit();
    });
    while (!clicked && shown.elapsed() <= minimumMs) {
        QTimer::singleShot(std::chrono::milliseconds(minimumMs - shown.elapsed() + 1), Qt::PreciseTimer, &wait,
                           &QEventLoop::quit);
        wait.exec();
    }
}

} // namespace

ProgramSession::~ProgramSession() = default;

std::unique_ptr<ProgramSession> Main(const StartOptions& options, UserInteraction& interaction)
{
    auto session = std::make_unique<ProgramSession>();
    StartUp(*session, interaction).run(options);
    return session;
}

std::string JoinArguments(int argc, char* argv[])
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

} // namespace tavrelo
