// File names with letters beyond ASCII on every road that takes a path, as a surveyor
// on Linux meets them: the program in a folder named "Tavrelo æøå é ü", the jobs in
// "Jobb æøå é ü", files named "Måling æøå é ü", chosen in the real file dialogs or
// typed. The file on disk carries its name as typed (UTF-8), Tavrelo.ini holds the
// Windows-1252 bytes, and the editor and the desktop receive the real path. A name
// with a letter Windows-1252 has no place for is refused where it is chosen or typed,
// with a box that names the letter and the name; no file is made under another name.
#include "helper_Download.h"
#include "support/FileDialogUser.h"
#include "support/TypeText.h"

#include "app/gui/QtText.h"
#include "map/F_map.h"
#include "map/MapSeams.h"
#include "mainwindow/Program.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

const QString kProgramFolder = QString::fromUtf8("Tavrelo æøå é ü");
const QString kWorkFolder = QString::fromUtf8("Jobb æøå é ü");
const QString kLetters = QString::fromUtf8("Måling æøå é ü");
const QString kNoPlace = QString::fromUtf8("Łódź æøå");
// What the refusal says of kNoPlace, in UTF-8: its letters as they are.
const std::string kNoPlaceLetters = "the characters \"\xC5\x81\", \"\xC5\xBA\", which have no place in Windows-1252";

const QByteArray kPoints = "P1,6500100.000,500200.000,12.345,TREE\r\nP2,6500000.5,500000.25,10,\r\n";
const QByteArray kPointNumbers = "12345,6500100.000,500200.000,12.345,TREE\r\n";

// One road of the table, run with the file name stem the user meets.
struct Run {
    DownloadDriver d{kProgramFolder, kWorkFolder};
    FileDialogUser dialogs;
    ModalAnswerer answers{&d.session};
    QString name;
    bool refused = false;

    QString work(const QString& file) const { return QDir(d.work.path()).filePath(file); }
    QString program(const QString& file) const { return QDir(d.folder.path()).filePath(file); }
    void write(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    QByteArray read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList workFiles() const { return QDir(d.work.path()).entryList(QDir::Files | QDir::System); }
    template <class Control>
    Control* find(const char* control) const { return Find<Control>(*d.session, control); }
    void showTab(int index) const { d.session->mainWindow->MainTab()->setCurrentIndex(index); }
    std::string texts() const
    {
        std::string all;
        for (const auto& m : d.folder.interaction.messages)
            all += m.text + " | ";
        return all;
    }
    bool told(const std::string& text) const
    {
        for (const auto& m : d.folder.interaction.messages)
            if (m.text.find(text) != std::string::npos)
                return true;
        return false;
    }

    // A small script as editor that writes the path it was given beside itself.
    void writeEditorScript(const QString& script) const
    {
        write(script, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.argument\"\n");
        QFile(script).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // "Use Other" with that script.
    void useEditorScript() const
    {
        writeEditorScript(work("editor.sh"));
        showTab(2);
        QTest::mouseClick(find<QAbstractButton>("StOpEditor1"), Qt::LeftButton, {}, QPoint(5, 5));
        find<QLineEdit>("TxEditor")->setText(work("editor.sh"));
        showTab(0);
    }
    QString editorArgument(const QString& script = QString()) const
    {
        const QString file = (script.isEmpty() ? work("editor.sh") : script) + ".argument";
        if (!QTest::qWaitFor([&] { return QFile::exists(file); }, 10000))
            return QString();
        const QString argument = QString::fromUtf8(read(file));
        QFile::remove(file);
        return argument;
    }
    // Raw data from a file to MAPA 2: no option dialog, the finished box answered.
    void convertToMapa(const QString& target)
    {
        d.choose(true, 0, 1);
        d.chooseSource(d.copyFixture("survey.raw"));
        d.typeTarget(target);
        if (!refused)
            answers.expect("F_MsgCon", "ComOK");
        d.click("ComConv");
    }
};

using Road = std::function<void(Run&)>;

void ReceiveSourceDialog(Run& r)
{
    r.write(r.work(r.name + ".raw"), r.read(TAVRELO_TEST_DATA "/survey.raw"));
    r.d.choose(true, 0, 1);
    r.dialogs.answerNext(2, r.work(r.name + ".raw")); // every file
    r.d.click("ComFileName");
    QCOMPARE(r.dialogs.dialogsShown, 1);
    if (r.refused) {
        QVERIFY(!r.find<QPushButton>("ComFileName")->text().contains(QStringLiteral("Łódź")));
        return;
    }
    QCOMPARE(r.find<QPushButton>("ComFileName")->text(), r.name + ".raw");
    r.d.typeTarget(r.work("out.txt"));
    r.answers.expect("F_MsgCon", "ComOK");
    r.d.click("ComConv");
    QCOMPARE(r.d.session->state.TransferStatus, std::string("OK"));
    QVERIFY(!r.read(r.work("out.txt")).isEmpty());
}

void ReceiveTargetTyped(Run& r)
{
    r.convertToMapa(r.work(r.name + ".txt"));
    if (r.refused) {
        QCOMPARE(r.d.target(), QString());
        return;
    }
    QCOMPARE(r.d.session->state.TransferStatus, std::string("OK"));
    QCOMPARE(r.workFiles(), QStringList({r.name + ".txt", "survey.raw"}));
    QVERIFY(!r.read(r.work(r.name + ".txt")).isEmpty());
}

// The folder chosen is kept in Tavrelo.ini in Windows-1252 and read back: the next
// start's dialog opens there.
void ReceiveTargetBrowse(Run& r)
{
    r.d.choose(true, 0, 1);
    r.d.chooseSource(r.d.copyFixture("survey.raw"));
    r.dialogs.answerNext(-1, r.work(r.name + ".txt"));
    r.d.click("ComSaveBrowse");
    if (r.refused) {
        QCOMPARE(r.d.target(), QString());
        return;
    }
    QCOMPARE(r.d.target(), r.work(r.name + ".txt"));
    r.answers.expect("F_MsgCon", "ComOK");
    r.d.click("ComConv");
    QVERIFY(!r.read(r.work(r.name + ".txt")).isEmpty());

    r.d.click("ComExit");
    QVERIFY(r.d.folder.iniBytes().contains("\r\nSaveAsPath=" + QByteArray::fromStdString(FromQt(r.d.work.path()))
                                           + "/\r\n"));
    r.d.session = r.d.folder.start();
    r.d.choose(true, 0, 1);
    r.dialogs.answerNext(-1, r.work("again.txt"));
    r.d.click("ComSaveBrowse");
    QCOMPARE(r.dialogs.shownFolder, r.d.work.path());
}

// "Also save the original data format": the copy beside the target under its name.
void RawCopyOfADownload(Run& r)
{
    const QByteArray sent = r.read(TAVRELO_TEST_DATA "/survey.raw");
    r.d.choose(false, 0, 2);
    r.find<QCheckBox>("CheckOrigDF")->setChecked(true);
    r.d.typeTarget(r.work(r.name + ".out"));
    r.d.instrument.start({Step::Send(200, sent)});
    r.d.download();
    QCOMPARE(r.read(r.work(r.name + ".zvk")), sent);
    QVERIFY(!r.read(r.work(r.name + ".out")).isEmpty());
}

// A download cut off keeps its lines beside the target, and the box names that file.
void KeptCopyOfAHangUp(Run& r)
{
    const QByteArray sent = r.read(TAVRELO_TEST_DATA "/survey.raw");
    r.d.choose(false, 0, 1);
    r.d.typeTarget(r.work(r.name + ".kof"));
    r.d.instrument.start({Step::Send(200, sent), Step::HangUp(1500)});
    r.d.download();
    QCOMPARE(r.read(r.work(r.name + ".zvk")), sent);
    QVERIFY(r.told(FromQt(r.work(r.name + ".zvk"))));
}

// The calculation's control-point file, chosen in its dialog: the station stands where
// the file puts it.
void ControlPointFile(Run& r)
{
    r.write(r.work("calc.raw"), "ST,CP1,,CP2,,1.500,0.0000,0.0000\r\nSS,N1,1.500,10.000,0.0000,100.0000,,X\r\n");
    r.write(r.work(r.name + ".txt"), "CP1,1000.000,2000.000,10.000\r\nCP2,1100.000,2000.000,10.000\r\n");
    r.d.choose(true, 0, 4);
    r.d.chooseSource(FromQt(r.work("calc.raw")));
    r.d.typeTarget(r.work("out.asc"));
    r.answers.beforeAnswer = [&r](QWidget* dialog) {
        if (dialog->objectName() != "F_SetCalcCoo")
            return;
        dialog->findChild<QCheckBox*>("CheckControlFile")->setChecked(true);
        r.dialogs.answerNext(-1, r.work(r.name + ".txt"));
        dialog->findChild<QPushButton*>("ComSelectFile")->click();
        const QString shown = dialog->findChild<QLineEdit*>("TxControlFile")->text();
        QCOMPARE(shown, r.refused ? QString() : r.work(r.name + ".txt"));
    };
    r.answers.expect("F_SetCalcCoo", r.refused ? "close" : "ComOK");
    if (!r.refused)
        r.answers.expect("F_MsgCon", "ComOK");
    r.d.click("ComConv");
    if (r.refused)
        return;
    QCOMPARE(r.d.session->state.TransferStatus, std::string("OK"));
    QVERIFY2(r.read(r.work("out.asc")).contains("1000.000"), r.read(r.work("out.asc")).constData());
}

// The KOF point-number file of Tavrelo.ini, in the program folder.
void KofPointNumberFile(Run& r)
{
    QByteArray ini = r.d.folder.iniBytes();
    ini.replace("\r\nUsePointNumberConversion = 0\r\n", "\r\nUsePointNumberConversion = 1\r\n");
    ini.replace("\r\nKofpointFile=\r\n", "\r\nKofpointFile=" + QByteArray::fromStdString(FromQt(r.name)) + ".txt\r\n");
    r.d.session.reset();
    r.d.folder.writeIni(ini);
    r.d.session = r.d.folder.start();
    r.write(r.program(r.name + ".txt"), "12=RV\r\n");
    r.write(r.work("points.asc"), kPointNumbers);
    r.d.choose(true, 1, 1);
    r.d.chooseSource(FromQt(r.work("points.asc")));
    r.d.typeTarget(r.work("out.kof"));
    r.answers.expect("F_KOFStp", "ComOK");
    r.answers.expect("F_MsgCon", "ComOK");
    r.d.click("ComConv");
    QVERIFY2(r.d.folder.interaction.messages.empty(), r.texts().c_str());
    QVERIFY2(r.read(r.work("out.kof")).contains("RV345"), r.read(r.work("out.kof")).constData());
}

void SendFileDialog(Run& r)
{
    r.write(r.work(r.name + ".txt"), kPoints);
    r.showTab(1);
    r.dialogs.answerNext(-1, r.work(r.name + ".txt"));
    r.find<QPushButton>("ComBrowseSend")->click();
    QCOMPARE(r.find<QPushButton>("ComSend")->isEnabled(), !r.refused);
    QCOMPARE(r.find<QLineEdit>("TxFileNameSend")->text(), r.refused ? QString() : r.work(r.name + ".txt"));
    if (!r.refused)
        QCOMPARE(r.d.settings().UpLoadPath, FromQt(r.d.work.path() + "/"));
}

// A send file typed, then Edit: the editor receives the file's real path.
void SendFileTypedAndEdit(Run& r)
{
    r.write(r.work(r.name + ".txt"), kPoints);
    r.useEditorScript();
    r.showTab(1);
    auto* box = r.find<QLineEdit>("TxFileNameSend");
    box->setFocus();
    TypeText(box, r.work(r.name + ".txt"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(r.find<QPushButton>("ComEditSend")->isEnabled(), !r.refused);
    if (r.refused) {
        QCOMPARE(box->text(), QString());
        return;
    }
    r.find<QPushButton>("ComEditSend")->click();
    QCOMPARE(r.editorArgument(), r.work(r.name + ".txt"));
}

// A send file that does not exist yet: the new-send-file window makes it under its
// name and hands it to the editor.
void NewSendFileWindow(Run& r)
{
    r.useEditorScript();
    r.showTab(1);
    if (!r.refused)
        r.answers.expect("F_EdSdF", "ComOK");
    auto* box = r.find<QLineEdit>("TxFileNameSend");
    box->setFocus();
    TypeText(box, r.work(r.name + ".txt"));
    QTest::keyClick(box, Qt::Key_Return);
    if (r.refused)
        return;
    QVERIFY(QFile::exists(r.work(r.name + ".txt"))); // a coordinate file starts empty
    QCOMPARE(r.editorArgument(), r.work(r.name + ".txt"));
}

void MapFileOpen(Run& r)
{
    r.write(r.work(r.name + ".asc"), kPoints);
    ProgramState& state = r.d.session->state;
    RecordingInteraction& ui = r.d.folder.interaction;
    OptionStores& options = r.d.session->options;
    F_map map(state.Map, ui, [&] { return options.context(state, ui, 0); });
    map.seams().openFileName = DefaultMapSeams().openFileName;
    map.show();
    r.dialogs.answerNext(0, r.work(r.name + ".asc")); // the coordinate lists
    map.findChild<QAction*>("MnOpen")->trigger();
    QCOMPARE(state.Map.CooPointCount(), r.refused ? 0 : 2);
}

// View saved file with "Use Other": the editor receives the target's real path.
void ViewSavedFile(Run& r)
{
    r.useEditorScript();
    r.convertToMapa(r.work(r.name + ".txt"));
    r.d.click("ComViewFile");
    QCOMPARE(r.editorArgument(), r.work(r.name + ".txt"));
    QVERIFY(!r.read(r.work(r.name + ".txt")).isEmpty());
}

// An editor whose own name holds the letters, chosen by Browse or typed on the
// Settings tab, is started for View saved file.
void EditorChosen(Run& r, bool browse)
{
    const QString script = r.work(r.name + ".sh");
    r.writeEditorScript(script);
    r.showTab(2);
    QTest::mouseClick(r.find<QAbstractButton>("StOpEditor1"), Qt::LeftButton, {}, QPoint(5, 5));
    auto* box = r.find<QLineEdit>("TxEditor");
    if (browse) {
        r.dialogs.answerNext(0, script); // every file
        r.find<QPushButton>("ComEditorBrowse")->click();
    } else {
        box->setFocus();
        TypeText(box, script);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QCOMPARE(box->text(), r.refused ? QString() : script);
    if (r.refused)
        return;
    r.showTab(0);
    r.convertToMapa(r.work("out.txt"));
    r.d.click("ComViewFile");
    QCOMPARE(r.editorArgument(script), r.work("out.txt"));
}

void EditorBrowse(Run& r)
{
    EditorChosen(r, true);
}

void EditorTyped(Run& r)
{
    EditorChosen(r, false);
}

// The manual beside the program: the desktop is handed its real path.
void HelpFile(Run& r)
{
    r.write(r.program("TavreloManual.doc"), "{\\rtf1 manual}");
    r.answers.beforeAnswer = [](QWidget* help) { help->findChild<QPushButton*>("ComOpenHelpFile")->click(); };
    r.answers.expect("F_Help", "ComOK");
    r.d.click("ComHelp");
    const auto& opened = r.d.folder.interaction.opened;
    QCOMPARE(opened.size(), size_t(1));
    QCOMPARE(ToQt(opened[0].target), r.program("TavreloManual.doc"));
}

// The program in its own folder: the settings file there under its name, the
// temporary file gone at Exit; a folder whose name cannot be held is said at start.
void ProgramFolderItself(Run& r)
{
    QVERIFY(QFile::exists(r.program("Tavrelo.ini")));
    r.write(r.program("Pemdrix.tem"), "left over\r\n");
    r.d.click("ComExit");
    QCOMPARE(QDir(r.d.folder.path()).entryList(QDir::Files | QDir::System), QStringList({"COM1", "Tavrelo.ini"}));
    if (!r.refused)
        return;
    const QString folder = QDir::temp().filePath("Tavrelo " + r.name);
    std::string held = "left over";
    QVERIFY(!AppFolderFromQt(folder, held, r.d.folder.interaction));
    QCOMPARE(held, std::string());
}

struct RoadRow {
    const char* name;
    Road road;
    bool chosenOrTyped; // a refusal row too
};

const RoadRow kRoads[] = {
    {"Receive source, open dialog", ReceiveSourceDialog, true},
    {"Receive target, typed", ReceiveTargetTyped, true},
    {"Receive target, Browse", ReceiveTargetBrowse, true},
    {"raw copy of a download", RawCopyOfADownload, false},
    {"kept copy of a hang-up", KeptCopyOfAHangUp, false},
    {"control-point file", ControlPointFile, true},
    {"KOF point-number file", KofPointNumberFile, false},
    {"Send file, open dialog", SendFileDialog, true},
    {"Send file typed, Edit", SendFileTypedAndEdit, true},
    {"new send file window", NewSendFileWindow, true},
    {"map File Open", MapFileOpen, true},
    {"View saved file, Use Other", ViewSavedFile, false},
    {"editor chosen by Browse", EditorBrowse, true},
    {"editor typed", EditorTyped, true},
    {"Help file", HelpFile, false},
    {"program folder", ProgramFolderItself, true},
};

} // namespace

class FileNamesTest : public QObject {
    Q_OBJECT
private slots:
    void everyRoadFindsTheFileUnderItsName_data();
    void everyRoadFindsTheFileUnderItsName();
};

void FileNamesTest::everyRoadFindsTheFileUnderItsName_data()
{
    QTest::addColumn<int>("road");
    QTest::addColumn<bool>("refused");
    for (int i = 0; i < static_cast<int>(std::size(kRoads)); ++i) {
        QTest::newRow(kRoads[i].name) << i << false;
        if (kRoads[i].chosenOrTyped)
            QTest::newRow(qPrintable(QString(kRoads[i].name) + ", refused")) << i << true;
    }
}

void FileNamesTest::everyRoadFindsTheFileUnderItsName()
{
    QFETCH(int, road);
    QFETCH(bool, refused);
    Run r;
    r.refused = refused;
    r.name = refused ? kNoPlace : kLetters;
    r.d.folder.interaction.clear();
    const QStringList before = r.workFiles();
    kRoads[road].road(r);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(r.answers.done());
    QCOMPARE(r.answers.answered.filter("unexpected"), QStringList());
    const auto& messages = r.d.folder.interaction.messages;
    if (!refused) {
        for (const auto& m : messages) // the download's own report may stand
            QVERIFY2(m.text.find("Data transmission") != std::string::npos ||
                         m.text.find("The connection to the instrument was lost") != std::string::npos,
                     m.text.c_str());
        return;
    }
    QCOMPARE(messages.size(), size_t(1));
    // The name as typed or chosen, every letter of it, through the box that shows UTF-8.
    QVERIFY(messages[0].unicode);
    QVERIFY2(messages[0].text.find(kNoPlace.toStdString()) != std::string::npos, messages[0].text.c_str());
    QVERIFY2(messages[0].text.find(kNoPlaceLetters) != std::string::npos, messages[0].text.c_str());
    QVERIFY(messages[0].icon == MessageIcon::Critical);
    // Nothing was made under another name.
    QStringList now = r.workFiles();
    now.removeAll("editor.sh");
    now.removeAll("survey.raw");
    QStringList was = before;
    was << r.name + ".raw" << r.name + ".txt" << r.name + ".asc" << r.name + ".sh" << "calc.raw";
    for (const QString& file : now)
        QVERIFY2(was.contains(file), qPrintable(file));
}

QTEST_MAIN(FileNamesTest)
#include "tst_FileNames.moc"
