// The Settings page's choices, kept by Exit and found again at the next start; the
// close box, which saves only in setup mode; the temporary file at Exit.
#include "helper_Receive.h"

#include "mainwindow/SettingsPage.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

void Choose(const ProgramSession& session, const char* combo, int index)
{
    Find<QComboBox>(session, combo)->setCurrentIndex(index);
}

void Click(const ProgramSession& session, const char* name)
{
    QTest::mouseClick(Find<QAbstractButton>(session, name), Qt::LeftButton, {}, QPoint(5, 5));
}

QString TempFile(const ProgramFolder& folder)
{
    return QString::fromStdString(folder.folder() + "/Pemdrix.tem");
}

} // namespace

class SettingsAndShutDownTest : public QObject {
    Q_OBJECT
private slots:
    void choicesSurviveExitAndRestart();
    void exitEndsTheProgramAndRemovesTheTemporaryFile();
    void exitWithoutChangesWritesTheFileThatWasRead_data();
    void exitWithoutChangesWritesTheFileThatWasRead();
    void closeBoxSavesNothingOutsideSetupMode();
    void closeBoxSavesInSetupMode();
    void editorChoiceShowsThePathBox();
    void browsePutsTheChosenEditorIntoTheBox();
    void outOfRangePortStartsAtTheFirstPort();
    void undefinedCodePageBytesSurviveExit_data();
    void undefinedCodePageBytesSurviveExit();
    void defaultHeaderTypedInAListKeepsTheFileReadable_data();
    void defaultHeaderTypedInAListKeepsTheFileReadable();
};

void SettingsAndShutDownTest::choicesSurviveExitAndRestart()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    {
        auto session = folder.start();
        session->mainWindow->MainTab()->setCurrentIndex(2);
        Choose(*session, "StCombComm0", 2);
        Choose(*session, "StCombComm1", 3);
        Choose(*session, "StCombComm2", 0);
        Choose(*session, "StCombComm3", 0);
        Choose(*session, "StCombCoord0", 1);
        Click(*session, "StOpEditor1");
        Find<QLineEdit>(*session, "TxEditor")->setText("/usr/bin/gedit");
        session->mainWindow->MainTab()->setCurrentIndex(0);
        Click(*session, "CheckOrigDF");
        QSignalSpy ended(session->mainWindow.get(), &F_DatTr::programEnded);
        Click(*session, "ComExit");
        QCOMPARE(ended.count(), 1);
    }
    const QByteArray saved = folder.iniBytes();
    for (const char* line : {"Port=2\r\n", "Speed=3\r\n", "DataBits=0\r\n", "FlowControl=0\r\n", "StCombCoord0=1\r\n",
                             "StOpEditor=1\r\n", "ProgramEditor=/usr/bin/gedit\r\n", "CheckOrigDF=1\r\n"})
        QVERIFY2(saved.contains(QByteArray("\r\n") + line), line);

    auto session = folder.start();
    QVERIFY(folder.interaction.messages.empty());
    QCOMPARE(Find<QComboBox>(*session, "StCombComm0")->currentText(), QString("COM3"));
    QCOMPARE(Find<QComboBox>(*session, "StCombComm1")->currentText(), QString("9600"));
    QCOMPARE(Find<QComboBox>(*session, "StCombComm2")->currentText(), QString("7"));
    QCOMPARE(Find<QComboBox>(*session, "StCombComm3")->currentText(), QString("None"));
    QCOMPARE(Find<QComboBox>(*session, "StCombCoord0")->currentText(), QString("ENZ"));
    QVERIFY(Find<QRadioButton>(*session, "StOpEditor1")->isChecked());
    QCOMPARE(Find<QLineEdit>(*session, "TxEditor")->text(), QString("/usr/bin/gedit"));
    QVERIFY(!Find<QLineEdit>(*session, "TxEditor")->isHidden());
    QVERIFY(Find<QAbstractButton>(*session, "CheckOrigDF")->isChecked());
    QCOMPARE(session->model.settings.Port, int16_t(2));
    QCOMPARE(session->model.settings.StCombCoord0, int16_t(1));
}

void SettingsAndShutDownTest::exitEndsTheProgramAndRemovesTheTemporaryFile()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    std::vector<ControlEntry> first;
    for (bool leftOver : {false, true}) {
        if (leftOver) {
            QFile temp(TempFile(folder));
            QVERIFY(temp.open(QIODevice::WriteOnly));
            temp.write("received data\r\n");
        }
        auto session = folder.start();
        QSignalSpy ended(session->mainWindow.get(), &F_DatTr::programEnded);
        Click(*session, "ComExit");
        QCOMPARE(ended.count(), 1);
        QVERIFY(!QFile::exists(TempFile(folder)));
        if (first.empty()) {
            first = session->model.controls();
            continue;
        }
        // The texts, fonts and sizes saved are those read: nothing drifts between runs.
        const auto& again = session->model.controls();
        for (size_t i = 0; i < first.size(); ++i) {
            const ControlText& a = first[i].text;
            const ControlText& b = again[i].text;
            QVERIFY2(a.Caption == b.Caption && a.FontName == b.FontName && a.FontSize == b.FontSize &&
                         a.Width == b.Width && a.Height == b.Height && a.ToolTipText == b.ToolTipText,
                     first[i].key.c_str());
        }
    }
    QVERIFY(folder.iniBytes().contains("[ComViewFile]\r\nCaption=&View saved file\r\n"));
}

// What a user may open before Exit without changing anything, and the windows it
// brings up, each answered with the button named.
enum class Opened { Nothing, Help, KofWindow, EveryWindowInSetupMode };
Q_DECLARE_METATYPE(Opened)

namespace {

// On the Receive page, the option window of a format by its Settings button; the
// choice is put back to the first format afterwards, as it was.
void OpenOptionWindow(const ProgramSession& session, int kind, int position, const char* window)
{
    ModalAnswerer answers;
    answers.expect(window, "ComOK");
    Click(session, ("OpReceive" + std::to_string(kind)).c_str());
    Choose(session, "ComboDataFormat", position);
    Click(session, "ComSaveSetings");
    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected"), QStringList());
}

void OpenWindows(const ProgramSession& session, Opened opened)
{
    ModalAnswerer answers;
    if (opened == Opened::Help || opened == Opened::EveryWindowInSetupMode) {
        answers.expect("F_Help", "ComOK");
        Click(session, "ComHelp");
    }
    if (opened == Opened::KofWindow)
        OpenOptionWindow(session, 0, 1, "F_KOFStp");
    if (opened == Opened::EveryWindowInSetupMode) {
        answers.expect("F_DL", "ComCancel");
        Click(session, "ComDLN");
        OpenOptionWindow(session, 1, 1, "F_Dxf");
        OpenOptionWindow(session, 1, 0, "F_UsDeCo");
        OpenOptionWindow(session, 0, 7, "F_SetCalcCoo");
        OpenOptionWindow(session, 0, 1, "F_KOFStp");
    }
    Click(session, "OpReceive0");
    Choose(session, "ComboDataFormat", 0);
    QVERIFY2(answers.done(), qPrintable(answers.answered.join(", ")));
    QCOMPARE(answers.answered.filter("unexpected"), QStringList());
}

} // namespace

void SettingsAndShutDownTest::exitWithoutChangesWritesTheFileThatWasRead_data()
{
    QTest::addColumn<Opened>("opened");
    QTest::newRow("no window") << Opened::Nothing;
    QTest::newRow("the Help window") << Opened::Help;
    QTest::newRow("the KOF window, OK") << Opened::KofWindow;
    QTest::newRow("setup mode, every window that saves its texts") << Opened::EveryWindowInSetupMode;
}

namespace {

// The lines of after that differ from those of before, as "[section] old -> new".
QStringList Differences(const QByteArray& before, const QByteArray& after)
{
    const QList<QByteArray> a = before.split('\n');
    const QList<QByteArray> b = after.split('\n');
    QStringList differences;
    if (a.size() != b.size())
        differences << QString("%1 lines became %2").arg(a.size()).arg(b.size());
    QByteArray section;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i].startsWith('['))
            section = a[i].trimmed();
        if (a[i] != b[i])
            differences << QString::fromLatin1(section + " " + a[i].trimmed() + " -> " + b[i].trimmed());
    }
    return differences;
}

} // namespace

// The texts and sizes written are those read: the layouts that fit controls to the
// window and to their texts change nothing from one start to the next, and the first
// Exit after the defaults were written keeps them byte for byte, blanks included.
void SettingsAndShutDownTest::exitWithoutChangesWritesTheFileThatWasRead()
{
    QFETCH(Opened, opened);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    for (int round = 1; round <= 3; ++round) {
        auto session = folder.start(opened == Opened::EveryWindowInSetupMode ? "Custom Layout" : "");
        OpenWindows(*session, opened);
        // An option window's OK writes its own keys in its own form; Exit adds nothing.
        const QByteArray read = folder.iniBytes();
        Click(*session, "ComExit");
        const QStringList differences = Differences(read, folder.iniBytes());
        QVERIFY2(differences.isEmpty(), qPrintable(QString("Exit %1: ").arg(round) + differences.join("; ")));
    }
}

void SettingsAndShutDownTest::closeBoxSavesNothingOutsideSetupMode()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    const QByteArray before = folder.iniBytes();
    QFile temp(TempFile(folder));
    QVERIFY(temp.open(QIODevice::WriteOnly));
    temp.close();

    auto session = folder.start();
    Choose(*session, "StCombComm0", 3);
    Click(*session, "OpReceive1");
    QSignalSpy ended(session->mainWindow.get(), &F_DatTr::programEnded);
    session->mainWindow->close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(folder.iniBytes(), before);
    QVERIFY(QFile::exists(TempFile(folder)));
}

void SettingsAndShutDownTest::closeBoxSavesInSetupMode()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    QFile temp(TempFile(folder));
    QVERIFY(temp.open(QIODevice::WriteOnly));
    temp.close();

    auto session = folder.start("Custom Layout");
    Choose(*session, "StCombComm0", 3);
    Find<QAbstractButton>(*session, "ComDLN")->setText("&Fetch");
    QSignalSpy ended(session->mainWindow.get(), &F_DatTr::programEnded);
    session->mainWindow->close();
    QCOMPARE(ended.count(), 1);
    const QByteArray saved = folder.iniBytes();
    QVERIFY(saved.contains("\r\nPort=3\r\n"));
    QVERIFY(saved.contains("[ComDLN]\r\nCaption=&Fetch\r\n"));
    QVERIFY(QFile::exists(TempFile(folder)));
}

void SettingsAndShutDownTest::editorChoiceShowsThePathBox()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    auto session = folder.start();
    auto* box = Find<QLineEdit>(*session, "TxEditor");
    auto* browse = Find<QPushButton>(*session, "ComEditorBrowse");
    QVERIFY(box->isHidden() && browse->isHidden());
    session->mainWindow->MainTab()->setCurrentIndex(2);
    Click(*session, "StOpEditor1");
    QVERIFY(box->isVisible() && browse->isVisible());
    QCOMPARE(session->model.settings.StOpEditor, int16_t(1));
    QVERIFY(!Find<QWidget>(*session, "ImTxEditor")->isVisible());
    Click(*session, "StOpEditor0");
    QVERIFY(box->isHidden() && browse->isHidden());
    QCOMPARE(session->model.settings.StOpEditor, int16_t(0));
}

void SettingsAndShutDownTest::browsePutsTheChosenEditorIntoTheBox()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue("Default", "ProgramEditor", "/opt/tools/ed");
    folder.setIniValue("Default", "StOpEditor", "1");
    auto session = folder.start();
    QString title, startFolder;
    QString answer = "/usr/bin/kate";
    session->mainWindow->settingsPage()->setOpenFilePicker(
        [&](QWidget*, const QString& t, const QString& f, const QString&) {
            title = t;
            startFolder = f;
            return answer;
        });
    session->mainWindow->MainTab()->setCurrentIndex(2);
    Click(*session, "ComEditorBrowse");
    QCOMPARE(title, QString("Select program name for editor"));
    QCOMPARE(startFolder, QString("/opt/tools/"));
    QCOMPARE(Find<QLineEdit>(*session, "TxEditor")->text(), answer);
    QCOMPARE(session->model.settings.ProgramEditor, std::string("/usr/bin/kate"));

    answer.clear(); // cancelled: nothing changes
    Click(*session, "ComEditorBrowse");
    QCOMPARE(startFolder, QString("/usr/bin/"));
    QCOMPARE(session->model.settings.ProgramEditor, std::string("/usr/bin/kate"));
}

void SettingsAndShutDownTest::outOfRangePortStartsAtTheFirstPort()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue("Default", "Port", "4");
    folder.setIniValue("Default", "StOpEditor", "7");
    auto session = folder.start();
    QCOMPARE(Find<QComboBox>(*session, "StCombComm0")->currentText(), QString("COM1"));
    QCOMPARE(session->model.settings.Port, int16_t(0));
    QVERIFY(Find<QRadioButton>(*session, "StOpEditor0")->isChecked());
    QCOMPARE(session->model.settings.StOpEditor, int16_t(0));
}

void SettingsAndShutDownTest::undefinedCodePageBytesSurviveExit_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("Exit") << QString();
    QTest::newRow("Exit in setup mode") << QString("Custom Layout");
}

// The five bytes Windows-1252 leaves undefined stand for the control characters of
// their numbers on screen and come back as the same bytes.
void SettingsAndShutDownTest::undefinedCodePageBytesSurviveExit()
{
    QFETCH(QString, commandLine);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue("OpReceive2", "Caption", "Andre \x81\x8D\x8F\x90\x9D data");
    folder.setIniValue("OpReceive2", "ToolTipText", "Tip \x9D\x81");
    QByteArray firstExit;
    for (int run = 0; run < 2; ++run) {
        auto session = folder.start(commandLine.toStdString());
        auto* option = Find<QAbstractButton>(*session, "OpReceive2");
        QCOMPARE(option->text(), QString::fromUtf8("Andre \u0081\u008D\u008F\u0090\u009D data"));
        QCOMPARE(option->toolTip(), QString::fromUtf8("Tip \u009D\u0081"));
        Click(*session, "ComExit");
        const QByteArray saved = folder.iniBytes();
        QVERIFY(saved.contains("[OpReceive2]\r\nCaption=Andre \x81\x8D\x8F\x90\x9D data\r\n"));
        QVERIFY(saved.contains("\r\nToolTipText=Tip \x9D\x81\r\n"));
        if (run == 1)
            QCOMPARE(saved, firstExit);
        firstExit = saved;
    }
}

void SettingsAndShutDownTest::defaultHeaderTypedInAListKeepsTheFileReadable_data()
{
    QTest::addColumn<QByteArray>("before"); // the header the line is typed above
    QTest::newRow("the instrument's raw-data list") << QByteArray("[Coortinate data options]");
    QTest::newRow("the port list") << QByteArray("[Coomunication Speed]");
    QTest::newRow("the file-type messages") << QByteArray("[Messages]");
}

// A "[Default]" line typed by hand among the items of a list is an item of that list:
// the start reads the choices of the real [Default], Exit saves them there, and the
// next start reads the file without a word, with the same lists and the new choices.
void SettingsAndShutDownTest::defaultHeaderTypedInAListKeepsTheFileReadable()
{
    QFETCH(QByteArray, before);
    ProgramFolder folder;
    CreateDefaultIni(folder);
    folder.setIniValue("Default", "Speed", "3");
    QByteArray bytes = folder.iniBytes();
    const qsizetype at = bytes.indexOf("\r\n" + before + "\r\n");
    QVERIFY(at > 0);
    bytes.insert(at + 2, "[Default]\r\n");
    folder.writeIni(bytes);

    std::vector<std::vector<std::string>> lists;
    {
        auto session = folder.start();
        QVERIFY(folder.interaction.messages.empty());
        QCOMPARE(Find<QComboBox>(*session, "StCombComm1")->currentIndex(), 3);
        lists = {session->model.RawFormatList, session->model.PortList, session->model.FileTypeMessages};
        Choose(*session, "StCombComm0", 2);
        Click(*session, "ComExit");
    }
    const QByteArray saved = folder.iniBytes();
    QCOMPARE(saved.count("\r\nPort="), qsizetype(1));
    QVERIFY(saved.contains("\r\n[Default]\r\n" + before + "\r\n"));

    folder.interaction.clear();
    auto session = folder.start();
    const auto& said = folder.interaction.messages;
    QVERIFY2(said.empty(), said.empty() ? "" : said.front().text.c_str());
    QCOMPARE(Find<QComboBox>(*session, "StCombComm0")->currentIndex(), 2);
    QCOMPARE(Find<QComboBox>(*session, "StCombComm1")->currentIndex(), 3);
    const std::vector<std::vector<std::string>> again = {session->model.RawFormatList, session->model.PortList,
                                                          session->model.FileTypeMessages};
    QVERIFY(again == lists);
}

QTEST_MAIN(SettingsAndShutDownTest)
#include "tst_SettingsAndShutDown.moc"
