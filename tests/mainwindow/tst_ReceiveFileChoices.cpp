// The two files of the Receive page: the Save-as target (typed or browsed, checked
// before use) and the source file on disk; and the Settings button, which opens the
// option dialog of the chosen format.
#include "helper_Receive.h"
#include "support/FileDialogUser.h"
#include "support/NameEntry.h"

#include "app/gui/QtText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

using namespace tavrelo;
using namespace tavrelo::test;

class ReceiveFileChoicesTest : public QObject {
    Q_OBJECT
private slots:
    void browseOffersTheFilterOfTheFormat_data();
    void browseOffersTheFilterOfTheFormat();
    void browseChecksTheChosenName();
    void browseAddsTheExtensionOfTheType_data();
    void browseAddsTheExtensionOfTheType();
    void browseKeepsTheNameOfAnExistingFile();
    void typedNameIsCheckedAsItWillBeUsed();
    void pastedOrDroppedNameIsCheckedAsATypedOne();
    void sourceFileSetsCaptionAndJobPath();
    void enterMovesToTheCommand();
    void settingsButtonOpensTheDialogOfTheFormat_data();
    void settingsButtonOpensTheDialogOfTheFormat();
};

void ReceiveFileChoicesTest::browseOffersTheFilterOfTheFormat_data()
{
    QTest::addColumn<bool>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("filter");
    QTest::newRow("instrument raw KOF") << false << 0 << 1 << "KOF raw data file (*.kof)";
    QTest::newRow("instrument raw coordinates") << false << 0 << 7 << "Coordinate file (*.asc)";
    QTest::newRow("instrument coordinates DXF") << false << 1 << 1 << "DXF file (*.dxf)";
    QTest::newRow("instrument Other") << false << 2 << 0 << "All files (*)";
    QTest::newRow("file raw Eghas") << true << 0 << 2 << "Eghas raw data file (*.yde)";
    QTest::newRow("file coordinates KOF") << true << 1 << 1 << "KOF coordinate file (*.kof)";
}

void ReceiveFileChoicesTest::browseOffersTheFilterOfTheFormat()
{
    QFETCH(bool, file);
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, filter);
    ReceiveDriver r;
    r.choose(file, kind, position);
    QString offered;
    r.seams().saveFileName = [&](QWidget*, const QString&, const QString& f) {
        offered = f;
        return QString();
    };
    r.typeTarget("old name");
    r.click("ComSaveBrowse");
    QCOMPARE(offered, filter);
    QVERIFY(r.target().isEmpty()); // a cancelled dialog leaves no name
}

void ReceiveFileChoicesTest::browseChecksTheChosenName()
{
    ReceiveDriver r;
    const std::string source = r.copyFixture("survey.raw");
    const std::string existing = r.path("old.txt");
    WriteBytes(existing, "old\r\n");
    r.choose(true, 0, 1);
    r.chooseSource(source);
    QStringList answers = {QString::fromStdString(existing), QString()};
    int shown = 0;
    r.seams().saveFileName = [&](QWidget*, const QString&, const QString&) { return answers.value(shown++); };

    // An existing file, Cancel: the dialog opens again; cancelled, no name.
    ModalAnswerer question;
    question.expect("F_Msg", "ComCancel");
    r.click("ComSaveBrowse");
    QCOMPARE(shown, 2);
    QVERIFY(r.target().isEmpty());

    // A new file: the full path, its folder for the next dialog, and no second test.
    const std::string fresh = r.path("new.txt");
    answers = {QString::fromStdString(fresh)};
    shown = 0;
    r.click("ComSaveBrowse");
    QCOMPARE(r.target(), QString::fromStdString(fresh));
    QCOMPARE(QString::fromStdString(r.settings().SaveAsPath), QString::fromStdString(r.path("") + "/"));
    WriteBytes(fresh, "made meanwhile\r\n");
    ModalAnswerer finished;
    finished.expect("F_MsgCon", "ComOK");
    r.click("ComConv");
    QCOMPARE(finished.answered, QStringList{"F_MsgCon ComOK"});
}

void ReceiveFileChoicesTest::browseAddsTheExtensionOfTheType_data()
{
    QTest::addColumn<bool>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("taken");
    const QString job = QString::fromUtf8("Jobb 7 ø");
    QTest::newRow("no extension") << true << 1 << 1 << job << job + ".kof";
    QTest::newRow("its extension") << true << 1 << 1 << job + ".kof" << job + ".kof";
    QTest::newRow("another extension") << true << 1 << 1 << QString("job.txt") << QString("job.txt");
    QTest::newRow("DXF") << true << 1 << 0 << QString("plan") << QString("plan.dxf");
    QTest::newRow("raw data to coordinates") << true << 0 << 4 << QString("grid") << QString("grid.asc");
    QTest::newRow("download as received") << false << 0 << 0 << job << job + ".zvk";
    QTest::newRow("Other: every file, none added") << false << 2 << 0 << job << job;
}

// The real save dialog, the name typed and Return pressed as a user does: the dialog
// returns the name without an extension (no default suffix is set), and the program
// adds the chosen type's. An existing file of the name with the extension is asked about.
void ReceiveFileChoicesTest::browseAddsTheExtensionOfTheType()
{
    QFETCH(bool, file);
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(QString, taken);
    ReceiveDriver r;
    r.choose(file, kind, position);
    const QString folder = QDir(r.work.path()).filePath("Jobber");
    QVERIFY(QDir().mkpath(folder));
    FileDialogUser user;
    user.answerNext(-1, QDir(folder).filePath(typed));
    r.click("ComSaveBrowse");
    QCOMPARE(user.dialogsShown, 1);
    QCOMPARE(r.target(), QDir(folder).filePath(taken));

    // Chosen again, now that the file exists: the question comes for it.
    WriteBytes(FromQt(QDir(folder).filePath(taken)), "old\r\n");
    ModalAnswerer question;
    question.expect("F_Msg", "ComAppend");
    user.answerNext(-1, QDir(folder).filePath(typed));
    r.click("ComSaveBrowse");
    QVERIFY(question.done());
    QCOMPARE(r.target(), QDir(folder).filePath(taken));
    QCOMPARE(r.session->state.OutputFileMode, 1);
}

// A file another program wrote without an extension ("JOB1"), chosen in the real save
// dialog: the dialog returns its name as it stands, and the program keeps that name
// and asks, as for any existing target, whether to append or overwrite. Append then
// adds the conversion to JOB1 and makes no JOB1.asc beside it.
void ReceiveFileChoicesTest::browseKeepsTheNameOfAnExistingFile()
{
    ReceiveDriver r;
    r.choose(true, 0, 1); // MAPA 2, "*.asc"
    r.chooseSource(r.copyFixture("survey.raw"));
    const QString folder = QDir(r.work.path()).filePath(QString::fromUtf8("Måling øst"));
    QVERIFY(QDir().mkpath(folder));
    const QString job = QDir(folder).filePath("JOB1");
    WriteBytes(FromQt(job), "old\r\n");
    const auto realDialog = r.seams().saveFileName;
    QString returned;
    r.seams().saveFileName = [&](QWidget* owner, const QString& start, const QString& filter) {
        returned = realDialog(owner, start, filter);
        return returned;
    };
    FileDialogUser user;
    ModalAnswerer answers;
    answers.expect("F_Msg", "ComAppend");
    user.answerNext(-1, job);
    r.click("ComSaveBrowse");
    QCOMPARE(user.dialogsShown, 1);
    QCOMPARE(returned, job);
    QVERIFY(answers.done());
    QCOMPARE(r.target(), job);
    QCOMPARE(r.session->state.OutputFileMode, 1);

    answers.expect("F_MsgCon", "ComOK");
    r.click("ComConv");
    QVERIFY(answers.done());
    QCOMPARE(answers.answered, (QStringList{"F_Msg ComAppend", "F_MsgCon ComOK"})); // no second question
    const QByteArray written = ReadBytes(FromQt(job));
    QVERIFY(written.startsWith("old\r\n"));
    QVERIFY(written.size() > 5);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"JOB1"});
}

void ReceiveFileChoicesTest::typedNameIsCheckedAsItWillBeUsed()
{
    ReceiveDriver r;
    r.choose(true, 0, 2);
    r.chooseSource(r.copyFixture("survey.raw"));
    r.session->state.OutputFileMode = 1;
    const QString fresh = QString::fromStdString(r.path("new.yde"));
    r.typeTarget("  " + fresh + "  ");
    ModalAnswerer answers;
    answers.expect("F_MsgCon", "ComOK");
    r.click("ComConv");
    QCOMPARE(answers.answered, QStringList{"F_MsgCon ComOK"}); // no question for a new file
    QCOMPARE(r.target(), fresh);
    QCOMPARE(QString::fromStdString(r.settings().SaveAsPath), QString::fromStdString(r.path("")));
    QCOMPARE(r.session->state.OutputFileMode, 2);
    QVERIFY(QFile::exists(fresh));

    // A folder that does not exist, a folder in place of a file, a name no file may
    // have: one box that names the path and what is wrong with it, and the command
    // ends without asking for the name it has just emptied.
    const struct { std::string name; std::string why; } refused[] = {
        {r.path("missing/new.yde"), "The folder " + r.path("missing/") + " does not exist."},
        {r.path(""), r.path("") + " is a folder, not a file."},
        {r.path("") + "/", r.path("") + "/ is a folder, not a file."},
        {r.path("new?.yde"), "The name " + r.path("new?.yde") + " holds \"?\", which no file name may hold."},
    };
    for (const bool file : {true, false}) {
        r.choose(file, 0, 1);
        for (const auto& c : refused) {
            r.typeTarget(QString::fromStdString(c.name));
            r.folder.interaction.clear();
            r.click(file ? "ComConv" : "ComDLN");
            QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
            QCOMPARE(r.folder.interaction.messages[0].text,
                     "Cannot create file!\r\n" + c.why + "\r\nPlease specify other name.");
            QCOMPARE(r.folder.interaction.messages[0].title, std::string("Error"));
            QVERIFY(r.target().isEmpty());
        }
    }
}

// A target name pasted or dropped is an edit of the name as typing is: "View saved
// file" goes dark, and Convert checks the name, so an existing file is asked about. A
// dropped file names itself, not its URL.
void ReceiveFileChoicesTest::pastedOrDroppedNameIsCheckedAsATypedOne()
{
    ReceiveDriver r;
    r.choose(true, 0, 2);
    r.chooseSource(r.copyFixture("survey.raw"));
    const QString folder = QDir(r.work.path()).filePath(QString::fromUtf8("Måling øst"));
    QVERIFY(QDir().mkpath(folder));
    const QString existing = QDir(folder).filePath(QString::fromUtf8("JOB1 æøå.yde"));
    WriteBytes(FromQt(existing), "old\r\n");
    const QString fresh = QDir(folder).filePath("new.yde");
    auto* box = Find<QLineEdit>(*r.session, "TxFileName");
    for (const NameEntry way : kNameEntries) {
        const char* const name = NameEntryName(way);
        QFile::remove(fresh);
        r.typeTarget(fresh);
        ModalAnswerer answers;
        answers.expect("F_MsgCon", "ComOK");
        r.click("ComConv");
        QVERIFY2(answers.done() && r.viewEnabled(), name);

        r.session->mainWindow->activateWindow(); // again, after the finished window
        QVERIFY(QTest::qWaitForWindowActive(r.session->mainWindow.get()));
        Find<QWidget>(*r.session, "ComboDataFormat")->setFocus();
        EnterName(box, way, existing);
        QCOMPARE(r.target(), existing);
        QVERIFY2(!r.viewEnabled(), name);
        answers.expect("F_Msg", "ComCancel");
        r.click("ComConv");
        QVERIFY2(answers.done(), name);
        QVERIFY(r.target().isEmpty());
        QCOMPARE(ReadBytes(FromQt(existing)), QByteArray("old\r\n"));
    }
}

void ReceiveFileChoicesTest::sourceFileSetsCaptionAndJobPath()
{
    ReceiveDriver r;
    r.choose(true, 0, 1);
    // The file's own name recurs in its folder's name.
    QDir(r.work.path()).mkpath("survey.raw.d/survey.raw.d");
    const std::string source = r.copyFixture("survey.raw", "survey.raw.d/survey.raw.d/survey.raw");
    r.chooseSource(source);
    auto* caption = Find<QPushButton>(*r.session, "ComFileName");
    QCOMPARE(caption->text(), QString("survey.raw"));
    QCOMPARE(QString::fromStdString(r.settings().JobPath), QString::fromStdString(r.path("survey.raw.d/survey.raw.d/")));

    // The same name from another folder: a new folder, the caption and target kept.
    r.typeTarget("target.txt");
    const std::string other = r.copyFixture("survey.raw");
    r.chooseSource(other);
    QCOMPARE(QString::fromStdString(r.settings().JobPath), QString::fromStdString(r.path("") + "/"));
    QCOMPARE(r.target(), QString("target.txt"));

    // A file that is not there.
    r.folder.interaction.clear();
    r.chooseSource(r.path("gone.raw"));
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.folder.interaction.messages[0].text, std::string("File not exist."));
    QCOMPARE(caption->text(), QString("survey.raw"));
}

void ReceiveFileChoicesTest::enterMovesToTheCommand()
{
    ReceiveDriver r;
    r.session->mainWindow->activateWindow();
    for (bool file : {false, true}) {
        r.choose(file, 0, 1);
        auto* box = Find<QLineEdit>(*r.session, "TxFileName");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), Find<QWidget>(*r.session, file ? "ComConv" : "ComDLN"));
    }
}

void ReceiveFileChoicesTest::settingsButtonOpensTheDialogOfTheFormat_data()
{
    QTest::addColumn<bool>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("owned");
    QTest::newRow("instrument raw KOF") << false << 0 << 1 << "F_KOFStp" << false;
    QTest::newRow("instrument raw coordinates") << false << 0 << 7 << "F_SetCalcCoo" << false;
    QTest::newRow("instrument coordinate file") << false << 1 << 0 << "F_UsDeCo" << true;
    QTest::newRow("instrument DXF") << false << 1 << 1 << "F_Dxf" << true;
    QTest::newRow("instrument SDR-33") << false << 1 << 4 << "F_Sdr" << false;
    QTest::newRow("file raw coordinates") << true << 0 << 4 << "F_SetCalcCoo" << true;
    QTest::newRow("file KOF coordinates") << true << 1 << 1 << "F_KOFStp" << true;
}

void ReceiveFileChoicesTest::settingsButtonOpensTheDialogOfTheFormat()
{
    QFETCH(bool, file);
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, dialog);
    QFETCH(bool, owned);
    ReceiveDriver r;
    r.choose(file, kind, position);
    r.session->state.TransferStatus = "ConvertToKOF"; // left by an earlier command
    bool hadOwner = !owned;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget())
            hadOwner = modal->parentWidget() == r.session->mainWindow.get();
    });
    ModalAnswerer answers(&r.session);
    answers.expect(dialog.toLatin1(), "ComOK");
    r.click("ComSaveSetings");
    QCOMPARE(answers.answered, QStringList{dialog + " ComOK"});
    QCOMPARE(answers.statusAtShow, QStringList{QString()});
    QCOMPARE(hadOwner, owned);
}

QTEST_MAIN(ReceiveFileChoicesTest)
#include "tst_ReceiveFileChoices.moc"
