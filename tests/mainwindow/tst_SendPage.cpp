// The Send tab: the checks of a typed or browsed file name, the new send file dialog,
// Edit, and Send through the whole program to the simulated instrument, with the
// upload field-order dialog, the port closed on every road and the failed upload
// reported.
#include "helper_Receive.h"

#include "app/gui/QtText.h"
#include "link/SerialLink.h"
#include "link/core/PortSettings.h"
#include "mainwindow/SendPage.h"
#include "support/FileDialogUser.h"
#include "support/InstrumentSimulator.h"
#include "support/NameEntry.h"
#include "support/WholeTitle.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

// The Receive driver's program and work folder, seen from the Send tab.
struct SendDriver : ReceiveDriver {
    QStringList editorCalls;
    QStringList browseAnswers;
    int browseCalls = 0;

    SendDriver()
    {
        SendSeams& s = seams();
        s.openInEditor = [this](const QString& program, const QString& file, QString*) {
            editorCalls << program + "|" + file;
            return true;
        };
        s.openFileName = [this](QWidget*, const QString&, const QString&, const QString&) {
            ++browseCalls;
            return browseAnswers.isEmpty() ? QString() : browseAnswers.takeFirst();
        };
        session->mainWindow->MainTab()->setCurrentIndex(1);
    }
    SendSeams& seams() const { return session->mainWindow->sendPage()->seams(); }
    QLineEdit* nameBox() const { return Find<QLineEdit>(*session, "TxFileNameSend"); }
    void chooseFormat(int index) const { Find<QComboBox>(*session, "ComboDataFormatSend")->setCurrentIndex(index); }
    void typeName(const std::string& name) const
    {
        nameBox()->clear();
        QTest::keyClicks(nameBox(), QString::fromStdString(name));
        QTest::keyClick(nameBox(), Qt::Key_Return);
    }
    bool sendEnabled() const
    {
        return Find<QPushButton>(*session, "ComSend")->isEnabled()
               && Find<QPushButton>(*session, "ComEditSend")->isEnabled();
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : folder.interaction.messages)
            texts.push_back(m.text);
        return texts;
    }
};

const char* const kCodeTemplate = "DEFAULT\r\n{\r\n\r\n}\r\n";

} // namespace

class TestSendPage : public QObject {
    Q_OBJECT
private slots:
    void typedNamesAreChecked();
    void pastedOrDroppedNamesLightSendAtOnce();
    void newFileFromTheDialog();
    void newFileWindowShowsItsWholeTitle();
    void newFileDialogRefusals();
    void cancelledKindSurvivesAndKofKeepsIt();
    void browseOffersTheDialogAgainAfterACancelledNewFile();
    void browseNamesANewFileWithTheExtensionOfItsFormat();
    void editOpensTheFileAsOneArgument();
    void sendsACoordinateFileToTheInstrument();
    void everyRoadClosesThePort();
    void busyAndMissingPortsStopTheCommand();
    void unsendableFilesAreRefusedBeforeThePortOpens();
    void headingLinesAreLeftOutAndTold();
};

void TestSendPage::typedNamesAreChecked()
{
    SendDriver d;
    WriteBytes(d.path("two.txt"), "ab");
    WriteBytes(d.path("list.txt"), "P1,1,2,3\r\n");
    const struct {
        std::string name;
        bool accepted;
        const char* message;
    } cases[] = {
        {d.path("list.txt"), true, nullptr},
        {d.path("two.txt"), false, "This file contains no data"},
        {d.path("PEMDRIX.TEM"), false, "Cannot create file!\r\nPlease specify other name."},
        {d.path("no folder/list.txt"), false, "Cannot create file!\r\nPlease specify other name."},
    };
    for (const auto& c : cases) {
        d.folder.interaction.clear();
        d.typeName(c.name);
        QCOMPARE(d.sendEnabled(), c.accepted);
        QCOMPARE(d.nameBox()->text().isEmpty(), !c.accepted);
        QCOMPARE(d.folder.interaction.messages.size(), size_t(c.message ? 1 : 0));
        if (c.message)
            QCOMPARE(d.folder.interaction.messages[0].text, std::string(c.message));
    }
    d.typeName(d.path("list.txt"));
    d.chooseFormat(3);
    QVERIFY(d.nameBox()->text().isEmpty());
    QVERIFY(!d.sendEnabled());
}

// A name pasted or dropped into the box is taken as a typed one, with no key pressed
// after it: the name of a file with data lights Edit and Send at once, and Send,
// clicked as a user clicks it, starts the upload. A dropped file names itself, not
// its URL. A file without data leaves them dark, and leaving the box tells why.
void TestSendPage::pastedOrDroppedNamesLightSendAtOnce()
{
    SendDriver d;
    const auto activate = [&d] {
        QWidget* window = d.session->mainWindow.get();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    };
    const QString folder = QDir(d.work.path()).filePath(QString::fromUtf8("Måling øst"));
    QVERIFY(QDir().mkpath(folder));
    const QString points = QDir(folder).filePath(QString::fromUtf8("punkter æøå.asc"));
    const QString twoBytes = QDir(folder).filePath(QString::fromUtf8("tom æøå.asc"));
    WriteBytes(FromQt(points), "P1,6500100.5,600200.25,12.5,TREE\r\n");
    WriteBytes(FromQt(twoBytes), "ab");
    auto* format = Find<QComboBox>(*d.session, "ComboDataFormatSend");
    for (const NameEntry way : kNameEntries) {
        const char* const name = NameEntryName(way);
        QVERIFY(activate());
        d.nameBox()->clear();
        format->setFocus(); // the focus elsewhere, as it is before a drop
        EnterName(d.nameBox(), way, points);
        QCOMPARE(d.nameBox()->text(), points);
        QVERIFY2(d.sendEnabled(), name);
        ModalAnswerer answerer;
        answerer.expect("F_UpCoo", "close");
        d.folder.interaction.clear();
        QTest::mouseClick(Find<QPushButton>(*d.session, "ComSend"), Qt::LeftButton);
        QVERIFY2(answerer.done(), name);
        QCOMPARE(d.messageTexts(), std::vector<std::string>{"Upload aborted!"});

        QVERIFY(activate()); // again, after the closed dialog
        d.nameBox()->clear();
        format->setFocus();
        d.folder.interaction.clear();
        EnterName(d.nameBox(), way, twoBytes);
        QVERIFY2(!d.sendEnabled(), name);
        format->setFocus();
        QCOMPARE(d.messageTexts(), std::vector<std::string>{"This file contains no data"});
        QVERIFY(d.nameBox()->text().isEmpty());
    }
}

void TestSendPage::newFileFromTheDialog()
{
    SendDriver d;
    d.chooseFormat(1);
    ModalAnswerer answerer;
    answerer.expect("F_EdSdF", "ComOK");
    const std::string name = d.path("codes.cod");
    d.typeName(name);
    QVERIFY(answerer.done());
    QCOMPARE(answerer.answered, QStringList{"F_EdSdF ComOK"});
    QCOMPARE(ReadBytes(name), QByteArray(kCodeTemplate));
    QCOMPARE(d.editorCalls, QStringList{"|" + QString::fromStdString(name)});
    QVERIFY(d.sendEnabled());

    // An empty file counts as missing: a coordinate file is created empty.
    d.chooseFormat(0);
    WriteBytes(d.path("empty.asc"), "");
    answerer.expect("F_EdSdF", "ComOK");
    d.typeName(d.path("empty.asc"));
    QVERIFY(answerer.done());
    QCOMPARE(QFile(QString::fromStdString(d.path("empty.asc"))).size(), qint64(0));
    QVERIFY(d.sendEnabled());
}

// "Edit new file?" in a window narrower than its title was cut to "Edi…le?".
void TestSendPage::newFileWindowShowsItsWholeTitle()
{
    SendDriver d;
    ModalAnswerer answerer;
    QString cut = "not shown";
    answerer.beforeAnswer = [&cut](QWidget* window) { cut = test::TitleCut(window); };
    answerer.expect("F_EdSdF", "ComCancel");
    d.typeName(d.path("new.txt"));
    QVERIFY(answerer.done());
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
}

void TestSendPage::newFileDialogRefusals()
{
    SendDriver d;
    ModalAnswerer answerer;
    // Closed by its close box: the same as Cancel.
    answerer.expect("F_EdSdF", "close");
    d.typeName(d.path("closed.txt"));
    QVERIFY(answerer.done());
    QVERIFY(!QFile::exists(QString::fromStdString(d.path("closed.txt"))));
    QVERIFY(d.nameBox()->text().isEmpty());
    QVERIFY(!d.sendEnabled());
    QVERIFY(d.editorCalls.isEmpty());

    // A file that cannot be created is refused, with the reason.
    d.folder.interaction.clear();
    answerer.expect("F_EdSdF", "ComOK");
    d.typeName("/proc/tavrelo-list.txt");
    QVERIFY(answerer.done());
    QCOMPARE(d.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(d.folder.interaction.messages[0].title, std::string("Error"));
    QVERIFY(d.nameBox()->text().isEmpty());
    QVERIFY(!d.sendEnabled());
    QVERIFY(d.editorCalls.isEmpty());
}

void TestSendPage::cancelledKindSurvivesAndKofKeepsIt()
{
    SendDriver d;
    d.chooseFormat(2); // point-name list preselects its kind
    ModalAnswerer answerer;
    answerer.expect("F_EdSdF", "ComCancel");
    d.typeName(d.path("names.txt"));
    QVERIFY(answerer.done());
    auto* dialog = d.session->mainWindow->findChild<QDialog*>("F_EdSdF");
    QVERIFY(dialog);
    QVERIFY(dialog->findChild<QRadioButton*>("OpEditNewFile2")->isChecked());

    d.chooseFormat(3); // KOF leaves the kind chosen before
    answerer.expect("F_EdSdF", "ComOK");
    d.typeName(d.path("job.kof"));
    QVERIFY(answerer.done());
    QCOMPARE(ReadBytes(d.path("job.kof")), QByteArray(kCodeTemplate));
    QVERIFY(!d.session->mainWindow->findChild<QDialog*>("F_EdSdF"));
}

void TestSendPage::browseOffersTheDialogAgainAfterACancelledNewFile()
{
    SendDriver d;
    WriteBytes(d.path("list.txt"), "P1,1,2,3\r\n");
    d.browseAnswers = {QString::fromStdString(d.path("missing.txt")), QString::fromStdString(d.path("list.txt"))};
    ModalAnswerer answerer;
    answerer.expect("F_EdSdF", "ComCancel");
    d.click("ComBrowseSend");
    QVERIFY(answerer.done());
    QCOMPARE(d.browseCalls, 2);
    QCOMPARE(d.nameBox()->text().toStdString(), d.path("list.txt"));
    QVERIFY(d.sendEnabled());
    QCOMPARE(QString::fromStdString(d.settings().UpLoadPath), d.work.path() + "/");

    // Cancelling the open dialog leaves no name and Send disabled.
    d.click("ComBrowseSend");
    QVERIFY(d.nameBox()->text().isEmpty());
    QVERIFY(!d.sendEnabled());
}

// The real open dialog of Browse, a new name typed without an extension: the new send
// file window makes it under the extension of the send format ("Jobb 7 ø" as a code
// list gives "Jobb 7 ø.txt"). A name for a coordinate file (every file is offered) and
// a file that exists keep the name as chosen.
void TestSendPage::browseNamesANewFileWithTheExtensionOfItsFormat()
{
    ReceiveDriver d;
    d.session->mainWindow->MainTab()->setCurrentIndex(1);
    d.session->mainWindow->sendPage()->seams().openInEditor = [](const QString&, const QString&, QString*) {
        return true;
    };
    const QString folder = QDir(d.work.path()).filePath(QString::fromUtf8("Jobb øst"));
    QVERIFY(QDir().mkpath(folder));
    WriteBytes(FromQt(QDir(folder).filePath("points")), "P1,1,2,3\r\n");
    const struct { int format; QString typed; QString taken; bool made; } cases[] = {
        {1, QString::fromUtf8("Jobb 7 ø"), QString::fromUtf8("Jobb 7 ø.txt"), true},
        {3, "plan", "plan.kof", true},
        {1, "list.cod", "list.cod", true},
        {0, "punkter", "punkter", true},
        {1, "points", "points", false},
    };
    for (const auto& c : cases) {
        Find<QComboBox>(*d.session, "ComboDataFormatSend")->setCurrentIndex(c.format);
        FileDialogUser user;
        ModalAnswerer answerer;
        if (c.made)
            answerer.expect("F_EdSdF", "ComOK");
        user.answerNext(-1, QDir(folder).filePath(c.typed));
        d.click("ComBrowseSend");
        QCOMPARE(user.dialogsShown, 1);
        QVERIFY2(answerer.done(), qPrintable(c.typed));
        QCOMPARE(answerer.answered.filter("unexpected").size(), 0);
        QCOMPARE(Find<QLineEdit>(*d.session, "TxFileNameSend")->text(), QDir(folder).filePath(c.taken));
        QVERIFY(QFile::exists(QDir(folder).filePath(c.taken)));
        QVERIFY(Find<QPushButton>(*d.session, "ComSend")->isEnabled());
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             QStringList({QString::fromUtf8("Jobb 7 ø.txt"), "list.cod", "plan.kof", "points", "punkter"}));
}

void TestSendPage::editOpensTheFileAsOneArgument()
{
    SendDriver d;
    const std::string name = d.path("job 1; rm x.txt");
    WriteBytes(name, "P1,1,2,3\r\n");
    d.settings().StOpEditor = 1;
    d.settings().ProgramEditor = " /usr/bin/ed ";
    d.typeName(name);
    d.click("ComEditSend");
    QCOMPARE(d.editorCalls, QStringList{"/usr/bin/ed|" + QString::fromStdString(name)});
}

void TestSendPage::sendsACoordinateFileToTheInstrument()
{
    SendDriver d;
    InstrumentSimulator instrument(QString::fromStdString(d.folder.folder()));
    QVERIFY2(instrument.isValid(), qPrintable(instrument.errorString()));
    WriteBytes(d.path("points.asc"), "P1,6500100.5,600200.25,12.5,TREE\r\n\r\nP2,6500101,600201,13\r\n");
    d.typeName(d.path("points.asc"));
    ModalAnswerer answerer(&d.session);
    answerer.expect("F_UpCoo", "ComOK");
    answerer.expect("F_UL", "ComSend");
    d.folder.interaction.clear();
    d.click("ComSend");
    QVERIFY(answerer.done());
    QCOMPARE(answerer.statusAtShow, (QStringList{"UpLoadCoord", "Comma"}));
    QCOMPARE(d.session->state.TransferStatus, std::string("UpOK"));
    QTRY_COMPARE(instrument.captured(),
                 QByteArray("P1,6500100.5,600200.25,12.5,TREE\r\nP2,6500101,600201,13,\r\n"));
    QCOMPARE(d.messageTexts(), std::vector<std::string>{"The data was uploaded successfully."});
    QTRY_VERIFY(!instrument.portOpen());
}

void TestSendPage::everyRoadClosesThePort()
{
    SendDriver d;
    InstrumentSimulator instrument(QString::fromStdString(d.folder.folder()));
    WriteBytes(d.path("points.asc"), "P1,1,2,3\r\n");
    WriteBytes(d.path("codes.cod"), "TREE\r\n");
    const struct {
        int format;
        const char* window;
        const char* button;
        int opens; // the field order comes before the port
    } roads[] = {
        {0, "F_UpCoo", "close", 0},  // field order left by its close box
        {1, "F_UL", "ComCancel", 1}, // the upload cancelled before Send
        {1, "F_UL", "close", 1},
    };
    for (const auto& road : roads) {
        d.chooseFormat(road.format);
        d.typeName(d.path(road.format == 0 ? "points.asc" : "codes.cod"));
        const int opened = instrument.openCount();
        ModalAnswerer answerer;
        answerer.expect(road.window, road.button);
        d.folder.interaction.clear();
        d.click("ComSend");
        QVERIFY(answerer.done());
        QTRY_COMPARE(instrument.openCount(), opened + road.opens); // the simulator counts in its own thread
        QTRY_VERIFY(!instrument.portOpen());
        QCOMPARE(d.messageTexts(), std::vector<std::string>{"Upload aborted!"});
        QCOMPARE(d.folder.interaction.messages[0].title, std::string("Warning"));
    }
    QCOMPARE(instrument.captured(), QByteArray());
}

void TestSendPage::busyAndMissingPortsStopTheCommand()
{
    SendDriver d;
    InstrumentSimulator instrument(QString::fromStdString(d.folder.folder()));
    WriteBytes(d.path("codes.cod"), "TREE\r\n");
    d.chooseFormat(1);
    d.typeName(d.path("codes.cod"));
    // The lines a cancelled download left: only the temporary file holds them.
    const std::string temp = d.folder.folder() + "/Pemdrix.tem";
    const QByteArray left = "CO,left by a cancelled download\r\nST,0012\r\n";
    WriteBytes(temp, left);
    SerialLink other;
    QVERIFY(other.open(instrument.slaveName().toStdString(), PortSettings()));
    for (bool busy : {true, false}) {
        if (!busy) {
            other.close();
            QVERIFY(QFile::remove(instrument.linkPath()));
            QVERIFY(QFile::link("/dev/no-such-adapter", instrument.linkPath()));
        }
        d.session->mainWindow->MainTab()->setCurrentIndex(1);
        d.folder.interaction.clear();
        ModalAnswerer answerer;
        d.click("ComSend");
        QVERIFY(answerer.answered.isEmpty());
        QCOMPARE(d.messageTexts().size(), size_t(1));
        QVERIFY(d.messageTexts()[0].rfind("The communication port could not be opened.\r\n", 0) == 0);
        QCOMPARE(d.session->mainWindow->MainTab()->currentIndex(), 2);
        QCOMPARE(ReadBytes(temp), left);
    }
}

void TestSendPage::unsendableFilesAreRefusedBeforeThePortOpens()
{
    SendDriver d;
    InstrumentSimulator instrument(QString::fromStdString(d.folder.folder()));
    QVERIFY2(instrument.isValid(), qPrintable(instrument.errorString()));
    // 2 GB without a line end, sparse: refused after its first bytes.
    const std::string huge = d.path("huge.txt");
    WriteBytes(huge, "TREE");
    QVERIFY(QFile::resize(QString::fromStdString(huge), 2'000'000'000));
    const struct {
        const char* name;
        int format;
        QByteArray content; // empty: the huge file
        bool spaceSeparated;
        std::string message; // after the path
    } cases[] = {
        {"blank KOF records", 3, " 00 Job\r\n 05\r\n 05                     \r\n 09_91\r\n", false,
         " holds no line for the instrument."},
        {"blank code list", 1, "    \r\n   \r\n", false, " holds no line for the instrument."},
        {"heading only", 0, "Name,North,East,Height,Code\r\n", false,
         " holds no line for the instrument.\r\n1 line(s) were left out because their coordinates hold text that"
         " is not a number (a heading line, for example)."},
        {"comma in a name", 0, "P,1 100 200 5 C\r\n", true, ""},
        {"one huge line", 2, "", false, ""},
    };
    for (const auto& c : cases) {
        const std::string file = c.content.isEmpty() ? huge : d.path("send.txt");
        if (!c.content.isEmpty())
            WriteBytes(file, c.content);
        d.chooseFormat(c.format);
        d.typeName(file);
        QVERIFY2(d.sendEnabled(), c.name);
        ModalAnswerer answerer;
        if (c.format == 0) {
            answerer.expect("F_UpCoo", "ComOK");
            answerer.beforeAnswer = [&c](QWidget* dialog) {
                dialog->findChild<QRadioButton*>(c.spaceSeparated ? "Op1" : "Op0")->setChecked(true);
            };
        }
        d.folder.interaction.clear();
        d.click("ComSend");
        QVERIFY2(answerer.done(), c.name);
        QVERIFY2(!answerer.answered.contains("unexpected F_UL"), c.name); // no upload window
        QCOMPARE(d.folder.interaction.messages.size(), size_t(1));
        const auto& m = d.folder.interaction.messages[0];
        QCOMPARE(m.title, std::string("Error"));
        if (c.format == 2)
            QCOMPARE(m.text, "Line 1 of " + file
                                 + " is longer than the instrument can take (more than 512 characters).\r\n"
                                   "Nothing was sent.");
        else if (c.spaceSeparated)
            QVERIFY2(m.text.rfind("Line 1 of " + file + " gives more fields than the instrument takes", 0) == 0,
                     m.text.c_str());
        else
            QCOMPARE(m.text, "Nothing to send: " + file + c.message);
        QTest::qWait(50);
        QCOMPARE(instrument.openCount(), 0);
    }
    QCOMPARE(instrument.captured(), QByteArray());
}

void TestSendPage::headingLinesAreLeftOutAndTold()
{
    SendDriver d;
    InstrumentSimulator instrument(QString::fromStdString(d.folder.folder()));
    QVERIFY2(instrument.isValid(), qPrintable(instrument.errorString()));
    WriteBytes(d.path("export.csv"), "Name,North,East,Height,Code\r\nP1,6500100.5,600200.25,12.5,TREE\r\n");
    d.typeName(d.path("export.csv"));
    ModalAnswerer answerer;
    answerer.expect("F_UpCoo", "ComOK");
    answerer.expect("F_UL", "ComSend");
    d.folder.interaction.clear();
    d.click("ComSend");
    QVERIFY(answerer.done());
    QCOMPARE(d.session->state.TransferStatus, std::string("UpOK"));
    QTRY_COMPARE(instrument.captured(), QByteArray("P1,6500100.5,600200.25,12.5,TREE\r\n"));
    QCOMPARE(d.messageTexts(), std::vector<std::string>{"The data was uploaded successfully.\r\n1 line(s) were left out"
                                                        " because their coordinates hold text that is not a number (a"
                                                        " heading line, for example)."});
}

QTEST_MAIN(TestSendPage)
#include "tst_SendPage.moc"
