// Field data is never lost around a download. One table of how the download ends (it
// completes, the cable is pulled in the middle, or the user cancels) against what
// becomes of the store once the target has passed its check (stored as asked, the
// target made read-only or turned into a folder, its folder closed, a write error, a
// converter that finds no record, the KOF dialog cancelled or closed, a format without
// converter, the raw copy blocked, a pipe on the first name of the copy): every row
// finds the received bytes in a file that a message named, or in the target the user
// typed. Then what comes before the instrument is asked for anything: a target the
// converters would refuse (and the same target refused for a file on disk), the
// temporary file left as it was until a download really starts, and the calculation
// dialog's close box.
//
// Through the real windows and the simulated instrument, as an unprivileged user (root
// may write any file). Each completed row waits out the instrument's silence, so ctest
// runs the cases in shares side by side (tests/mainwindow/CMakeLists.txt).
#include "helper_Download.h"
#include "support/Unprivileged.h"

#include "conversion/OptionStores.h"
#include "link/SerialLink.h"
#include "link/core/PortSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTabWidget>

#include <csignal>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

enum class Ends { Completes, HangsUp, Cancelled };
// What happens to the store while the data comes, after the target passed its check.
enum class Store {
    AsAsked,
    TargetReadOnly,
    TargetBecomesFolder,
    FolderClosed,
    WriteError, // the file size limit stops the target's writes, as a full disk would
    NoUsableRecord,
    NoConverter,
    RawCopyBlocked,     // pipes take every name the raw copy could have beside the target
    FirstCopyNameTaken, // a pipe takes the first name of the copy beside the target
};
// Where the received bytes must be found.
enum class Kept { InTarget, BesideTarget, BesideTargetUnderTheNextName, InProgramFolder };

// How the target stands before a Download that must be refused.
enum class Target { ReadOnly, WriteOnly, Writable, InClosedFolder };
// Which of the store's other inputs the target is, as the stored options name them.
enum class OtherInput { None, ControlFile, PointNumberFile };

const char* const kOwnInput = "The output file may not be a file this conversion reads: ";

struct Row {
    const char* name;
    Ends ends;
    int kind;
    int position;
    const char* fixture;
    bool rawCopy; // "Also save the original data format" ticked
    Store store;
    const char* dialog; // "window button" answered after the download, or ""
    Kept kept;
};

const Row kRows[] = {
    {"completes, stored as asked", Ends::Completes, 2, 0, "survey.raw", false, Store::AsAsked, "", Kept::InTarget},
    {"completes, target made read-only", Ends::Completes, 2, 0, "survey.raw", false, Store::TargetReadOnly, "",
     Kept::BesideTarget},
    {"completes, target turned into a folder", Ends::Completes, 0, 0, "survey.raw", false,
     Store::TargetBecomesFolder, "", Kept::BesideTarget},
    {"completes, target folder closed", Ends::Completes, 1, 0, "points.asc", false, Store::FolderClosed, "",
     Kept::InProgramFolder},
    {"completes, folder closed with the raw copy asked", Ends::Completes, 0, 2, "survey.raw", true,
     Store::FolderClosed, "", Kept::InProgramFolder},
    {"completes, write error", Ends::Completes, 1, 1, "points.asc", false, Store::WriteError, "",
     Kept::BesideTarget},
    {"completes, converter finds no record", Ends::Completes, 0, 2, "points.asc", false, Store::NoUsableRecord, "",
     Kept::BesideTarget},
    {"completes, KOF dialog cancelled", Ends::Completes, 0, 1, "survey.raw", false, Store::AsAsked,
     "F_KOFStp ComCancel", Kept::BesideTarget},
    {"completes, KOF dialog cancelled, target folder closed", Ends::Completes, 0, 1, "survey.raw", false,
     Store::FolderClosed, "F_KOFStp ComCancel", Kept::InProgramFolder},
    {"completes, coordinate KOF dialog closed", Ends::Completes, 1, 2, "points.asc", false, Store::AsAsked,
     "F_KOFStp close", Kept::BesideTarget},
    {"completes, format without converter", Ends::Completes, 0, 9, "survey.raw", false, Store::NoConverter, "",
     Kept::BesideTarget},
    {"completes, raw copy blocked", Ends::Completes, 0, 2, "survey.raw", true, Store::RawCopyBlocked, "",
     Kept::InProgramFolder},
    {"hang-up, target folder open", Ends::HangsUp, 0, 1, "survey.raw", false, Store::AsAsked, "",
     Kept::BesideTarget},
    {"hang-up, target folder closed", Ends::HangsUp, 2, 0, "survey.raw", false, Store::FolderClosed, "",
     Kept::InProgramFolder},
    {"completes, KOF dialog cancelled, a pipe takes the first copy name", Ends::Completes, 0, 1, "survey.raw",
     false, Store::FirstCopyNameTaken, "F_KOFStp ComCancel", Kept::BesideTargetUnderTheNextName},
    {"completes, raw copy asked, a pipe takes its first name", Ends::Completes, 0, 2, "survey.raw", true,
     Store::FirstCopyNameTaken, "", Kept::BesideTargetUnderTheNextName},
    {"cancelled, target folder open", Ends::Cancelled, 0, 1, "survey.raw", false, Store::AsAsked, "",
     Kept::BesideTarget},
    {"cancelled, target folder closed", Ends::Cancelled, 2, 0, "survey.raw", false, Store::FolderClosed, "",
     Kept::InProgramFolder},
};

// The count the download window shows once every byte of sent has been taken.
QString ByteCountOf(const QByteArray& sent)
{
    qsizetype kept = 0;
    for (const char c : sent)
        kept += c != '\r' && c != '\n' && c != '\0' && static_cast<unsigned char>(c) < 128;
    return "Bytes:   " + QString::number(kept);
}

// The fixtures, read before the program becomes the unprivileged user, who may not be
// allowed into the source tree.
std::map<std::string, QByteArray>& Fixtures()
{
    static std::map<std::string, QByteArray> fixtures;
    return fixtures;
}

QByteArray Fixture(const std::string& name)
{
    const auto found = Fixtures().find(name);
    if (found == Fixtures().end())
        qFatal("no fixture %s", name.c_str());
    return found->second;
}

// A settings file whose instrument raw-data list has items past the known formats.
void AddRawFormatsPastTheList(DownloadDriver& r)
{
    r.addListItems("Zarel RAW data options", "Binary record file\r\nA format of another program\r\n");
}

QStringList ProgramFolderCopies(const DownloadDriver& r)
{
    return QDir(QString::fromStdString(r.folder.folder())).entryList({"Download-*.zvk"}, QDir::Files);
}

bool Told(const DownloadDriver& r, const std::string& path)
{
    for (const RecordingInteraction::Message& m : r.folder.interaction.messages)
        if (m.text.find(path) != std::string::npos)
            return true;
    return false;
}

QString Texts(const DownloadDriver& r)
{
    QStringList texts;
    for (const RecordingInteraction::Message& m : r.folder.interaction.messages)
        texts << QString::fromStdString(m.text);
    return texts.join(" | ");
}

// Changes the disk while the data comes: after the target's check, before its store.
void Disturb(Store store, const std::string& target, const std::string& folder)
{
    switch (store) {
    case Store::TargetReadOnly:
        WriteBytes(target, "old\r\n");
        ::chmod(target.c_str(), 0444);
        break;
    case Store::TargetBecomesFolder:
        ::mkdir(target.c_str(), 0755);
        break;
    case Store::FolderClosed:
        ::chmod(folder.c_str(), 0555);
        break;
    case Store::WriteError: {
        // Larger than the received data, smaller than the DXF file made of it.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        break;
    }
    default:
        break;
    }
}

void Restore(const std::string& folder)
{
    const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &none);
    ::chmod(folder.c_str(), 0755);
}

} // namespace

Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(OtherInput)

class DownloadSafetyTest : public QObject {
    Q_OBJECT
public:
    static void initMain()
    {
        for (const char* name : {"survey.raw", "points.asc"})
            if ((Fixtures()[name] = ReadBytes(std::string(TAVRELO_TEST_DATA "/") + name)).isEmpty())
                qFatal("cannot read the fixture %s", name);
        const std::string failure = testing::BecomeUnprivileged();
        if (!failure.empty())
            qFatal("%s", failure.c_str());
    }

private slots:
    void receivedDataEndsInAFileTheUserWasTold_data();
    void receivedDataEndsInAFileTheUserWasTold();
    void targetTheConvertersRefuseIsRefusedBeforeThePort_data();
    void targetTheConvertersRefuseIsRefusedBeforeThePort();
    void fileConversionRefusesATargetItCannotWrite_data();
    void fileConversionRefusesATargetItCannotWrite();
    void portFailureLeavesTheTemporaryFile();
    void temporaryFileThatFailsIsToldTruthfully();
    void calculationDialogClosedByItsBoxGoesOn();
};

void DownloadSafetyTest::receivedDataEndsInAFileTheUserWasTold_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i)
        QTest::newRow(kRows[i].name) << i;
}

void DownloadSafetyTest::receivedDataEndsInAFileTheUserWasTold()
{
    QFETCH(int, row);
    const Row& c = kRows[row];
    DownloadDriver r;
    if (c.store == Store::NoConverter)
        AddRawFormatsPastTheList(r);
    const QByteArray sent = Fixture(c.fixture);
    QVERIFY(QDir(r.work.path()).mkdir("sub"));
    const std::string folder = r.path("sub");
    const std::string target = r.path("sub/job.out");
    const std::string beside = r.path("sub/job.zvk");
    if (c.store == Store::FirstCopyNameTaken)
        QCOMPARE(::mkfifo(beside.c_str(), 0644), 0);
    for (int n = 0; c.store == Store::RawCopyBlocked && n < 20; ++n)
        QCOMPARE(::mkfifo(r.path(QString("sub/job%1.zvk").arg(n == 0 ? QString() : QString::number(n))).c_str(), 0644), 0);
    r.choose(false, c.kind, c.position);
    Find<QCheckBox>(*r.session, "CheckOrigDF")->setChecked(c.rawCopy);
    r.typeTarget(QString::fromStdString(target));
    if (c.ends == Ends::HangsUp)
        r.instrument.start({Step::Send(200, sent), Step::HangUp(1500)});
    else
        r.instrument.start({Step::Send(200, sent)});
    bool disturbed = false;
    r.actWhen([&] { return r.instrument.bytesSent() >= sent.size(); }, [&] {
        Disturb(c.store, target, folder);
        disturbed = true;
    });
    // The window may show every byte before the simulator's thread has counted the last
    // of them as sent: the Cancel waits for the disturbance too.
    if (c.ends == Ends::Cancelled)
        r.cancelWhen([&] { return disturbed && !r.statusTexts.isEmpty() && r.statusTexts.last() == ByteCountOf(sent); });
    ModalAnswerer answers(&r.session);
    const QStringList dialog = QString::fromLatin1(c.dialog).split(' ', Qt::SkipEmptyParts);
    if (!dialog.isEmpty())
        answers.expect(dialog[0].toLatin1(), dialog[1].toLatin1());
    r.download();
    Restore(folder);

    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected"), QStringList());
    const auto& messages = r.folder.interaction.messages;
    QVERIFY(!messages.empty());
    std::string kept;
    switch (c.kept) {
    case Kept::InTarget: kept = target; break;
    case Kept::BesideTarget: kept = beside; break;
    case Kept::BesideTargetUnderTheNextName: kept = r.path("sub/job1.zvk"); break;
    case Kept::InProgramFolder: {
        const QStringList copies = ProgramFolderCopies(r);
        QCOMPARE(copies.size(), 1);
        kept = r.folder.folder() + "/" + copies[0].toStdString();
        break;
    }
    }
    QCOMPARE(ReadBytes(kept), sent);
    if (c.kept != Kept::InTarget)
        QVERIFY2(Told(r, kept), qPrintable(Texts(r)));
    if (c.ends == Ends::HangsUp) {
        // In the user's words first, the system's reason on the second line.
        const std::string& text = messages.back().text;
        QVERIFY2(text.rfind("The connection to the instrument was lost (cable or adapter unplugged?).", 0) == 0,
                 text.c_str());
        QVERIFY2(text.find("\r\nDevice unavailable") != std::string::npos, text.c_str());
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 1);
        QVERIFY(!QFile::exists(QString::fromStdString(target)));
    } else if (c.ends == Ends::Cancelled) {
        QCOMPARE(messages.size(), size_t(1));
        QVERIFY2(messages.back().text.rfind("Data transmission interrupted\r\n", 0) == 0, messages.back().text.c_str());
        QVERIFY(!QFile::exists(QString::fromStdString(target)));
    } else {
        // A raw copy made as the download ends is told in the download's own box.
        const std::string& first = messages.front().text;
        QVERIFY2(first.rfind("Data transmission successfully completed.", 0) == 0, first.c_str());
        QCOMPARE(first == "Data transmission successfully completed.", !c.rawCopy); // each of them elsewhere
    }
    const bool stored = c.ends == Ends::Completes &&
                        (c.store == Store::AsAsked || c.store == Store::RawCopyBlocked ||
                         c.store == Store::FirstCopyNameTaken) &&
                        !*c.dialog;
    if (stored && c.rawCopy)
        QCOMPARE(messages.size(), size_t(1));
    QCOMPARE(r.viewEnabled(), stored);
    QTRY_VERIFY(!r.instrument.portOpen());
}

void DownloadSafetyTest::targetTheConvertersRefuseIsRefusedBeforeThePort_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("question"); // the answer to Append / Overwite, "" when none is asked
    QTest::addColumn<Target>("target");
    QTest::addColumn<OtherInput>("otherInput");
    QTest::addColumn<QString>("refusal"); // the text before the target's name, or the whole text
    const QString denied = "Permission denied: ";
    QTest::newRow("read-only file, overwritten") << 0 << 0 << "ComOverwite" << Target::ReadOnly << OtherInput::None
                                                 << denied;
    QTest::newRow("read-only file, appended to") << 0 << 0 << "ComAppend" << Target::ReadOnly << OtherInput::None
                                                 << denied;
    QTest::newRow("new name in a folder the user may not write")
        << 0 << 0 << "" << Target::InClosedFolder << OtherInput::None << denied;
    QTest::newRow("DXF drawing appended to") << 1 << 1 << "ComAppend" << Target::Writable << OtherInput::None
                                             << "A DXF drawing cannot be appended to another drawing.\r\nChoose "
                                                "Overwite to replace the file, or choose another file name.";
    QTest::newRow("calculation into its control-point file")
        << 0 << 7 << "ComOverwite" << Target::Writable << OtherInput::ControlFile << kOwnInput;
    QTest::newRow("raw KOF into its point-number file")
        << 0 << 1 << "ComOverwite" << Target::Writable << OtherInput::PointNumberFile << kOwnInput;
    QTest::newRow("coordinate KOF into its point-number file")
        << 1 << 2 << "ComAppend" << Target::Writable << OtherInput::PointNumberFile << kOwnInput;
    // Records are added to a copy of the old file, so it must be readable.
    QTest::newRow("write-only record file, appended to")
        << 0 << 8 << "ComAppend" << Target::WriteOnly << OtherInput::None << denied;
}

// Refused with the converters' reason before the port opens: the instrument is never
// asked to send, and the lines an earlier download left stay where they are.
void DownloadSafetyTest::targetTheConvertersRefuseIsRefusedBeforeThePort()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, question);
    QFETCH(Target, target);
    QFETCH(OtherInput, otherInput);
    QFETCH(QString, refusal);
    DownloadDriver r;
    if (position == 8)
        AddRawFormatsPastTheList(r);
    WriteBytes(r.tempFile(), "CO,left earlier\r\n");
    QVERIFY(QDir(r.work.path()).mkdir("sub"));
    const std::string folder = r.path("sub");
    const std::string name = r.path("sub/job.raw");
    const QByteArray old = target == Target::InClosedFolder ? QByteArray() : QByteArray("old\r\n");
    if (!old.isEmpty())
        WriteBytes(name, old);
    const std::map<Target, mode_t> modes{{Target::ReadOnly, 0444}, {Target::WriteOnly, 0222}, {Target::Writable, 0644}};
    if (target == Target::InClosedFolder)
        ::chmod(folder.c_str(), 0555);
    else
        ::chmod(name.c_str(), modes.at(target));
    OptionStores& options = r.session->options;
    if (otherInput == OtherInput::ControlFile) {
        options.calc.checkControlFile = true;
        options.calc.ControlFileName = name;
    } else if (otherInput == OtherInput::PointNumberFile) {
        options.kof.UsePointNumberConversion = 1;
        options.kof.KofpointFile = name;
    }
    r.choose(false, kind, position);
    r.typeTarget(QString::fromStdString(name));
    r.instrument.start({Step::Send(0, "CO,x\r\nST,1\r\n")});
    ModalAnswerer answers(&r.session);
    if (!question.isEmpty())
        answers.expect("F_Msg", question.toLatin1());
    r.download();
    ::chmod(folder.c_str(), 0755);
    ::chmod(name.c_str(), 0644);

    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected"), QStringList());
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    std::string expected = refusal.endsWith(": ") ? refusal.toStdString() + name +
                                                        (refusal == kOwnInput ? ". Please choose another name." : "")
                                                  : refusal.toStdString();
    if (target == Target::InClosedFolder)
        expected += " (the folder " + folder + "/ may not be written).";
    QCOMPARE(r.lastMessage()->text, expected);
    QCOMPARE(r.lastMessage()->icon, MessageIcon::Critical);
    QCOMPARE(r.lastMessage()->title, std::string("Error"));
    QCOMPARE(r.instrument.opensSoFar(), 0);
    QCOMPARE(r.instrument.bytesSent(), qint64(0));
    QCOMPARE(ReadBytes(r.tempFile()), QByteArray("CO,left earlier\r\n"));
    QCOMPARE(ReadBytes(name), old);
    QVERIFY(!DownloadWindow());
    QVERIFY(!r.viewEnabled());
}

void DownloadSafetyTest::fileConversionRefusesATargetItCannotWrite_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("question");
    QTest::addColumn<Target>("target");
    QTest::newRow("raw data to MAPA 2, new name in a folder the user may not write")
        << 0 << 1 << "" << Target::InClosedFolder;
    QTest::newRow("raw data to KOF, read-only file overwritten") << 0 << 0 << "ComOverwite" << Target::ReadOnly;
    QTest::newRow("coordinates to DXF, new name in a folder the user may not write")
        << 1 << 0 << "" << Target::InClosedFolder;
}

// Converting a file on disk meets the same rules: the box names the target and the
// reason before any option window, and nothing is written.
void DownloadSafetyTest::fileConversionRefusesATargetItCannotWrite()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, question);
    QFETCH(Target, target);
    DownloadDriver r;
    const std::string source = r.path("source.txt");
    WriteBytes(source, Fixture(kind == 0 ? "survey.raw" : "points.asc"));
    QVERIFY(QDir(r.work.path()).mkdir("sub"));
    const std::string folder = r.path("sub");
    const std::string name = r.path("sub/job.out");
    if (target == Target::ReadOnly) {
        WriteBytes(name, "old\r\n");
        ::chmod(name.c_str(), 0444);
    } else {
        ::chmod(folder.c_str(), 0555);
    }
    r.choose(true, kind, position);
    r.chooseSource(source);
    r.typeTarget(QString::fromStdString(name));
    ModalAnswerer answers(&r.session);
    if (!question.isEmpty())
        answers.expect("F_Msg", question.toLatin1());
    r.folder.interaction.clear();
    r.click("ComConv");
    ::chmod(folder.c_str(), 0755);
    ::chmod(name.c_str(), 0644);

    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected"), QStringList()); // no option window, no "Finished"
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    const std::string why = target == Target::ReadOnly ? "" : " (the folder " + folder + "/ may not be written).";
    QCOMPARE(r.lastMessage()->text, "Permission denied: " + name + why);
    QCOMPARE(r.lastMessage()->title, std::string("Error"));
    QCOMPARE(ReadBytes(name), target == Target::ReadOnly ? QByteArray("old\r\n") : QByteArray());
    QCOMPARE(QDir(QString::fromStdString(folder)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(),
             target == Target::ReadOnly ? 1 : 0);
    QVERIFY(!r.viewEnabled());
}

// A Download that fails on the port leaves the temporary file as it was.
void DownloadSafetyTest::portFailureLeavesTheTemporaryFile()
{
    DownloadDriver r;
    const QByteArray earlier = "CO,left by a hang-up\r\nST,0012\r\n";
    WriteBytes(r.tempFile(), earlier);
    r.choose(false, 0, 0);
    r.typeTarget(QString::fromStdString(r.path("job.raw")));
    SerialLink otherProgram;
    QVERIFY(otherProgram.open(PortDeviceName(r.folder.folder() + "/", 1), PortSettings()));
    r.download();
    QCOMPARE(r.session->mainWindow->MainTab()->currentIndex(), 2);
    QCOMPARE(r.instrument.opensSoFar(), 1); // only the other program's
    QCOMPARE(ReadBytes(r.tempFile()), earlier);
}

// The temporary file itself cannot take all the lines (its folder full): the copy
// beside the target holds what reached it, and the message says no more than that.
void DownloadSafetyTest::temporaryFileThatFailsIsToldTruthfully()
{
    DownloadDriver r;
    const QByteArray sent = Fixture("survey.raw");
    const qsizetype half = sent.indexOf("\r\n", sent.size() / 2) + 2;
    QVERIFY(half > 2 && half < sent.size());
    const std::string target = r.path("job.raw");
    const std::string beside = r.path("job.zvk");
    r.choose(false, 2, 0);
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({Step::Send(200, sent)});
    // The lines stay in the file's buffer until the download ends: room for the first
    // half only, which the copy then fits into too.
    r.actWhen([&] { return r.instrument.bytesSent() >= sent.size(); }, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(half), RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    r.download();
    Restore(r.path("."));

    QVERIFY(r.lastMessage());
    const std::string& text = r.lastMessage()->text;
    const std::string told = "The download stopped: the received data could not be written to " + r.tempFile() +
                             ". The lines written before the failure are kept in " + beside + ".\r\n";
    QVERIFY2(text.rfind(told, 0) == 0, text.c_str());
    QCOMPARE(ReadBytes(beside), sent.left(half));
    QVERIFY(!QFile::exists(QString::fromStdString(target)));
    QVERIFY(!r.viewEnabled());
}

// The calculation dialog comes before the temporary file is emptied, and closing it by
// its close box does not end the command: the download goes on and the calculation
// runs with the options stored last.
void DownloadSafetyTest::calculationDialogClosedByItsBoxGoesOn()
{
    DownloadDriver r;
    const QByteArray earlier = "CO,left by a hang-up\r\nST,0012\r\n";
    WriteBytes(r.tempFile(), earlier);
    const std::string target = r.path("job.asc");
    r.choose(false, 0, 7); // raw data to a coordinate file
    r.typeTarget(QString::fromStdString(target));
    const QByteArray sent = Fixture("survey.raw");
    r.instrument.start({Step::Send(300, sent)});
    QByteArray whileTheDialogStood;
    ModalAnswerer answers(&r.session);
    answers.beforeAnswer = [&](QWidget*) { whileTheDialogStood = ReadBytes(r.tempFile()); };
    answers.expect("F_SetCalcCoo", "close");
    r.download();

    QVERIFY(answers.done());
    QCOMPARE(whileTheDialogStood, earlier);
    QVERIFY(!r.folder.interaction.messages.empty());
    QCOMPARE(r.folder.interaction.messages.front().text, std::string("Data transmission successfully completed."));
    QCOMPARE(ReadBytes(r.tempFile()), sent);
    const QByteArray written = ReadBytes(target);
    QVERIFY(!written.isEmpty());
    QCOMPARE(written, r.direct("CalcRawCoordinates", r.tempFile()));
    QVERIFY(r.viewEnabled());
}

QTEST_MAIN(DownloadSafetyTest)
#include "tst_DownloadSafety.moc"
