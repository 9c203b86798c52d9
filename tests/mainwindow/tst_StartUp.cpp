// Start-up: the settings file missing, rewritten on request, broken, or carrying
// changed texts; setup mode; the splash's minimum time.
#include "helper_ProgramCopy.h"
#include "helper_Session.h"

#include "app/ProgramState.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

const std::string kUnreadable = "The program is unable to read the saved settings\r\nDefault settings are used instead.";

QByteArray WithCaption(QByteArray bytes, const QByteArray& section, const QByteArray& caption)
{
    const qsizetype header = bytes.indexOf("[" + section + "]\r\n");
    const qsizetype line = bytes.indexOf("Caption=", header);
    bytes.replace(line, bytes.indexOf("\r\n", line) - line, "Caption=" + caption);
    return bytes;
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void noSettingsFileWarnsOnceAndCreatesIt();
    void firstStartInAFreshProgramFolderSaysSo();
    void createIniFileRewritesWithoutWarning_data();
    void createIniFileRewritesWithoutWarning();
    void otherCommandLinesStartNormally_data();
    void otherCommandLinesStartNormally();
    void changedTextsAppearOnTheirControls_data();
    void changedTextsAppearOnTheirControls();
    void tabCaptionsFollowTheMessages();
    void unreadableFileIsNamedKeptAsBackupAndRebuilt_data();
    void unreadableFileIsNamedKeptAsBackupAndRebuilt();
    void savedChoiceOutsideItsListIsNamed_data();
    void savedChoiceOutsideItsListIsNamed();
    void setupModeWithUnreadableFileRebuildsAndGoesOn();
    void splashStandsForItsMinimumTime_data();
    void splashStandsForItsMinimumTime();
    void unwritableFolderIsReportedOnceAndDefaultsUsed();
    void aSettingsFileFarTooLargeIsKeptAndRebuilt();
};

void StartUpTest::noSettingsFileWarnsOnceAndCreatesIt()
{
    ProgramFolder folder;
    auto session = folder.start();
    QCOMPARE(folder.interaction.messages.size(), size_t(1));
    const auto& warning = folder.interaction.messages.front();
    QCOMPARE(warning.text, kUnreadable);
    QCOMPARE(warning.title, std::string("Warning"));
    QCOMPARE(warning.icon, MessageIcon::Exclamation);
    QCOMPARE(warning.buttons, MessageButtons::Ok);
    QVERIFY(folder.hasIni());
    QVERIFY(folder.iniBytes().startsWith("[Main Form]\r\nCaption=Tavrelo version 1.10\r\n"));
    QVERIFY(session->mainWindow->isVisible());
    QCOMPARE(session->mainWindow->windowTitle(), QString("Tavrelo version 1.10"));
    QVERIFY(session->state.SettingsRead);
    QVERIFY(session->state.FormLoaded);
    QCOMPARE(session->state.OutputFileMode, 1);
    QCOMPARE(session->state.AppPath, folder.folder() + "/");
}

// The real program copied into a fresh, empty folder and started from another one:
// its program folder is the folder the executable lies in, and finding no settings
// file there it says so in its box (and on standard error). A link to the program in
// yet another folder starts it with the executable's folder too.
void StartUpTest::firstStartInAFreshProgramFolderSaysSo()
{
    constexpr int kStartMs = 60000; // a start on a loaded machine, with a wide margin
    ProgramFolder folder;
    QTemporaryDir startedFrom;
    const QString program = ProgramCopiedInto(folder.path(), QStringLiteral(TAVRELO_PROGRAM));
    const auto entries = [](const QString& path) {
        return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    };
    {
        ProgramCopy first(program, {}, ProgramCopy::As::TheTest, startedFrom.path());
        QTRY_VERIFY_WITH_TIMEOUT(first.spoke() || first.process.state() == QProcess::NotRunning, kStartMs);
        QVERIFY2(first.text.contains(QString::fromStdString(kUnreadable).replace("\r\n", "\n") + "\n"),
                 qPrintable(first.text));
        QVERIFY2(!first.text.contains("lock file"), qPrintable(first.text));
        QCOMPARE(LockHolder(folder.folder()), first.process.processId());
        QVERIFY(entries(startedFrom.path()).isEmpty());
    }

    CreateDefaultIni(folder);
    QTemporaryDir linkedFrom;
    QVERIFY(QFile::link(program, linkedFrom.filePath("tavrelo")));
    ProgramCopy linked(linkedFrom.filePath("tavrelo"), {}, ProgramCopy::As::TheTest, linkedFrom.path());
    QTRY_VERIFY_WITH_TIMEOUT(LockHolder(folder.folder()) == linked.process.processId(), kStartMs);
    QCOMPARE(entries(linkedFrom.path()), QStringList({"tavrelo"}));
}

void StartUpTest::createIniFileRewritesWithoutWarning_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("exact") << "CreateIniFile";
    QTest::newRow("blanks around") << "  CreateIniFile ";
}

void StartUpTest::createIniFileRewritesWithoutWarning()
{
    QFETCH(QString, commandLine);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    const QByteArray defaults = folder.iniBytes();
    folder.writeIni(WithCaption(defaults, "ComDLN", "&Fetch"));

    auto session = folder.start(commandLine.toStdString());
    QVERIFY(folder.interaction.messages.empty());
    QCOMPARE(folder.iniBytes(), defaults);
    QCOMPARE(Find<QAbstractButton>(*session, "ComDLN")->text(), QString("&Download"));
}

void StartUpTest::otherCommandLinesStartNormally_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("other case") << "createinifile";
    QTest::newRow("further word") << "CreateIniFile now";
    QTest::newRow("empty") << "";
}

void StartUpTest::otherCommandLinesStartNormally()
{
    QFETCH(QString, commandLine);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.writeIni(WithCaption(folder.iniBytes(), "ComDLN", "&Fetch"));

    auto session = folder.start(commandLine.toStdString());
    QVERIFY(folder.interaction.messages.empty());
    QVERIFY(!session->state.SetupMode);
    QCOMPARE(Find<QAbstractButton>(*session, "ComDLN")->text(), QString("&Fetch"));
}

void StartUpTest::changedTextsAppearOnTheirControls_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("shown");
    QTest::newRow("button") << QByteArray("ComDLN") << QByteArray("Caption") << QByteArray("&Fetch") << "ComDLN"
                            << QByteArray("text") << "&Fetch";
    QTest::newRow("frame") << QByteArray("Fr1") << QByteArray("Caption") << QByteArray("Origin:") << "Fr1"
                           << QByteArray("title") << "Origin:";
    QTest::newRow("window") << QByteArray("Main Form") << QByteArray("Caption") << QByteArray("Tavrelo test")
                            << "F_DatTr" << QByteArray("windowTitle") << "Tavrelo test";
    QTest::newRow("label by other case") << QByteArray("LbDataFormat") << QByteArray("Caption")
                                         << QByteArray("Format:") << "LbDataformat" << QByteArray("text")
                                         << "Format:";
    QTest::newRow("settings page label") << QByteArray("StLbComm0") << QByteArray("Caption")
                                         << QByteArray("Serial port:") << "StLbComm0" << QByteArray("text")
                                         << "Serial port:";
    QTest::newRow("Windows-1252") << QByteArray("OpReceive2") << QByteArray("Caption") << QByteArray("Autre donn\xe9""e")
                                  << "OpReceive2" << QByteArray("text") << QString::fromUtf8("Autre donnée");
    QTest::newRow("tooltip") << QByteArray("OpSourse1") << QByteArray("ToolTipText") << QByteArray("Pick a file")
                             << "OpSourse1" << QByteArray("toolTip") << "Pick a file";
    QTest::newRow("text box tooltip") << QByteArray("TxFileName") << QByteArray("ToolTipText")
                                      << QByteArray("Target") << "TxFileName" << QByteArray("toolTip") << "Target";
}

void StartUpTest::changedTextsAppearOnTheirControls()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QString, control);
    QFETCH(QByteArray, property);
    QFETCH(QString, shown);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue(section, key, value);

    auto session = folder.start();
    QVERIFY(folder.interaction.messages.empty());
    QWidget* widget = control == "F_DatTr" ? session->mainWindow.get() : Find<QWidget>(*session, control.toLatin1());
    QCOMPARE(widget->property(property.constData()).toString(), shown);
}

void StartUpTest::tabCaptionsFollowTheMessages()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    QByteArray bytes = folder.iniBytes();
    bytes.replace("\r\n1,Receive\r\n", "\r\n1,Empfang, Daten\r\n");
    folder.writeIni(bytes);

    auto session = folder.start();
    const QTabWidget* tabs = session->mainWindow->MainTab();
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QString("Empfang, Daten"));
    QCOMPARE(tabs->tabText(1), QString("Send"));
    QCOMPARE(tabs->tabText(2), QString("Settings"));
    QCOMPARE(tabs->currentIndex(), 0);
}

void StartUpTest::unreadableFileIsNamedKeptAsBackupAndRebuilt_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("fault");
    QTest::newRow("caption emptied") << QByteArray("[ComExit]\r\nCaption=E&xit\r\n")
                                     << QByteArray("[ComExit]\r\nCaption=\r\n")
                                     << "the key Caption of the section [ComExit] is missing or empty";
    QTest::newRow("list section removed")
        << QByteArray("[Coomunication Speed]\r\n1200\r\n2400\r\n4800\r\n9600\r\n19200\r\n38400\r\n\r\n")
        << QByteArray() << "the section [Coomunication Speed] is missing, or not in its place after [Coomunication Port]";
    QTest::newRow("list without items") << QByteArray("[Coomunication Port]\r\nCOM1\r\nCOM2\r\nCOM3\r\nCOM4\r\n")
                                        << QByteArray("[Coomunication Port]\r\n")
                                        << "the list [Coomunication Port] has no items";
    QTest::newRow("message table's header removed")
        << QByteArray("[Messages]\r\n") << QByteArray()
        << "the section [Messages] is missing, or not in its place after [Messages for file types]";
    QTest::newRow("number beyond 16 bits") << QByteArray("Speed= 4 ") << QByteArray("Speed=40000")
                                           << "Speed=40000 in [Default] is beyond the numbers -32768 to 32767";
    QTest::newRow("receive kind beyond its options") << QByteArray("OpReceive= 0 ") << QByteArray("OpReceive=3")
                                                     << "OpReceive=3 in [Default] is not one of the choices 0, 1 and 2";
}

// A file the program cannot read is rebuilt with the defaults; the warning names what
// could not be read and the copy that keeps the user's own file.
void StartUpTest::unreadableFileIsNamedKeptAsBackupAndRebuilt()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, fault);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    const QByteArray defaults = folder.iniBytes();
    QVERIFY(defaults.contains(from));
    const QByteArray broken = QByteArray(defaults).replace(from, to);
    folder.writeIni(broken);

    auto session = folder.start();
    QCOMPARE(folder.interaction.messages.size(), size_t(1));
    const auto& warning = folder.interaction.messages.front();
    const std::string ini = folder.folder() + "/Tavrelo.ini";
    QCOMPARE(warning.text, kUnreadable + "\r\n\r\nIn " + ini + " " + fault.toStdString() +
                               ".\r\nYour version of the file is kept as " + ini + ".bak.");
    QCOMPARE(warning.icon, MessageIcon::Exclamation);
    QFile backup(folder.iniPath() + ".bak");
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), broken);
    QCOMPARE(folder.iniBytes(), defaults);
    QCOMPARE(Find<QAbstractButton>(*session, "ComExit")->text(), QString("E&xit"));
}

void StartUpTest::savedChoiceOutsideItsListIsNamed_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("line");
    QTest::newRow("port beyond the port list")
        << QByteArray("Port= 0 ") << QByteArray("Port=7") << "StCombComm0"
        << "Port=7 in [Default] is not a position of the list [Coomunication Port] (0 to 3): its first item, COM1, "
           "is used instead.";
    QTest::newRow("flow control below its list")
        << QByteArray("FlowControl= 1 ") << QByteArray("FlowControl=-1") << "StCombComm3"
        << "FlowControl=-1 in [Default] is not a position of the list [Coomunication Flow control] (0 to 1): its "
           "first item, None, is used instead.";
}

// A saved choice that its list no longer holds falls back to the list's first item
// and the user is told so; the rest of the file is the user's and stays as it is.
void StartUpTest::savedChoiceOutsideItsListIsNamed()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, combo);
    QFETCH(QString, line);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    const QByteArray edited = folder.iniBytes().replace(from, to);
    folder.writeIni(edited);

    auto session = folder.start();
    QCOMPARE(folder.interaction.messages.size(), size_t(1));
    const auto& warning = folder.interaction.messages.front();
    QCOMPARE(warning.text, "Some choices saved in " + folder.folder() + "/Tavrelo.ini are not in their lists:\r\n" +
                               line.toStdString() + "\r\nChoose them again where they are wrong; Exit saves them.");
    QCOMPARE(warning.icon, MessageIcon::Exclamation);
    QCOMPARE(folder.iniBytes(), edited);
    QVERIFY(!QFile::exists(folder.iniPath() + ".bak"));
    QCOMPARE(Find<QComboBox>(*session, combo.toLatin1())->currentIndex(), 0);
}

void StartUpTest::setupModeWithUnreadableFileRebuildsAndGoesOn()
{
    ProgramFolder folder;
    folder.writeIni("not a settings file\r\n");
    auto session = folder.start("Custom Layout");
    QCOMPARE(folder.interaction.messages.size(), size_t(1));
    QVERIFY(session->state.SetupMode);
    QVERIFY(session->mainWindow->isVisible());
    QVERIFY(folder.iniBytes().startsWith("[Main Form]\r\n"));
    QVERIFY(Find<QWidget>(*session, "ImComboDataFormat")->isVisible());
}

void StartUpTest::splashStandsForItsMinimumTime_data()
{
    QTest::addColumn<int>("minimumMs");
    QTest::addColumn<bool>("click");
    QTest::newRow("left alone") << 300 << false;
    // Long enough that a start-up slowed down many times (a loaded machine, a
    // sanitizer build) still shows the window well before the wait's end.
    QTest::newRow("clicked early in a long wait") << 60000 << true;
}

// The splash stands its minimum time unless the user clicks its picture: the main
// window shows then, well before the wait's end.
void StartUpTest::splashStandsForItsMinimumTime()
{
    QFETCH(int, minimumMs);
    QFETCH(bool, click);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    StartOptions options;
    options.appFolder = folder.folder();
    options.minimumSplashMs = minimumMs;
    bool splashClicked = false;
    QTimer clicker;
    clicker.setInterval(100);
    connect(&clicker, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "F_Start" && w->isVisible()) {
                QTest::mouseClick(w->findChild<QLabel*>("Im"), Qt::LeftButton);
                splashClicked = true;
                clicker.stop();
            }
    });
    if (click)
        clicker.start();
    QElapsedTimer clock;
    clock.start();
    auto session = Main(options, folder.interaction);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(splashClicked, click);
    if (click)
        QVERIFY2(elapsed < minimumMs * 2 / 3, QByteArray::number(elapsed));
    else
        QVERIFY(elapsed > minimumMs);
    QVERIFY(session->mainWindow->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(w->objectName() != "F_Start" || !w->isVisible());
}

void StartUpTest::unwritableFolderIsReportedOnceAndDefaultsUsed()
{
    // A program folder below a regular file can take no file, whoever runs the test.
    ProgramFolder folder;
    QFile blocker(QString::fromStdString(folder.folder() + "/blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StartOptions options;
    options.appFolder = folder.folder() + "/blocker/program";
    options.minimumSplashMs = 0;
    auto session = Main(options, folder.interaction);

    QCOMPARE(folder.interaction.messages.size(), size_t(2));
    QCOMPARE(folder.interaction.messages.front().text, kUnreadable);
    const auto& failure = folder.interaction.messages.back();
    QCOMPARE(failure.icon, MessageIcon::Critical);
    QVERIFY(failure.text.find(options.appFolder) != std::string::npos);
    QVERIFY(session->mainWindow->isVisible());
    QCOMPARE(Find<QAbstractButton>(*session, "ComDLN")->text(), QString("&Download"));
    QCOMPARE(session->mainWindow->MainTab()->tabText(0), QString("Receive"));
    QCOMPARE(Find<QComboBox>(*session, "ComboDataFormat")->count(), 8);

    // Exit says nothing more: the failure has been reported once.
    Find<QAbstractButton>(*session, "ComExit")->click();
    QCOMPARE(folder.interaction.messages.size(), size_t(2));
}

// A settings file grown far past any settings file (sparse: its defaults, then zero
// bytes): not read whole, it is rebuilt as an unreadable one is and kept as it was.
void StartUpTest::aSettingsFileFarTooLargeIsKeptAndRebuilt()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    const QByteArray defaults = folder.iniBytes();
    const qint64 size = 64 << 20;
    QVERIFY(QFile::resize(folder.iniPath(), size));
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    auto session = folder.start();
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    QCOMPARE(folder.interaction.messages.size(), size_t(1));
    const QString box = QString::fromStdString(folder.interaction.messages[0].text);
    QVERIFY2(box.contains("too large") && box.contains("Tavrelo.ini.bak"), qPrintable(box));
    QCOMPARE(QFileInfo(folder.iniPath() + ".bak").size(), size);
    QFile backup(folder.iniPath() + ".bak");
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.read(defaults.size()), defaults);
    QCOMPARE(folder.iniBytes(), defaults);
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 32 * 1024, "the peak grew by more than 32 MB");
}

QTEST_MAIN(StartUpTest)
#include "tst_StartUp.moc"
