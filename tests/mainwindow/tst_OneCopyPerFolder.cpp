// One copy of the program per program folder. A second start of the real program from
// the folder of a copy that is downloading is refused, whatever its command line, and
// touches no file there; the first copy's download is stored whole. Whether a copy
// runs is the operating system's lock on the open lock file: a copy killed with
// SIGKILL does not keep the next start out, even when its process number belongs to
// a copy running from another folder by now, and a lock file left empty or
// unreadable (the power lost while it was written) is taken without a word. Copies
// in other folders run side by side. One written on another computer (a program
// folder on a USB stick or a share) is taken over when the user says that no copy
// runs there. A lock file that is no file (a named pipe, a folder, a device) or that
// cannot be opened is named in a box, and stays. A folder refused for its name is
// left without a lock file.
//
// The first copy is this test's own session (its windows, the simulated instrument),
// holding the folder's lock as the program takes it at its start; the others are the
// program's executable copied into the folder, so that it is their program folder. A
// copy that goes on in a folder without settings file says so (helper_ProgramCopy.h).
#include "helper_Download.h"
#include "helper_ProgramCopy.h"
#include "mainwindow/ProgramFolderLock.h"
#include "support/Unprivileged.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>

#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <memory>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

constexpr int kStartMs = 60000; // a start of the program on a loaded machine, with a wide margin
constexpr int kLines = 600;      // one every 100 ms: the instrument outlasts the refusals by far

QString ProgramIn(const QString& folder)
{
    return ProgramCopiedInto(folder, QStringLiteral(TAVRELO_PROGRAM));
}

QString ProgramIn(const std::string& folder)
{
    return ProgramIn(QString::fromStdString(folder));
}

// A lock file as a copy on another computer writes it: process, program, computer,
// that computer's machine and boot identities.
const QByteArray kLockOfAnotherComputer = "4242\ntavrelo\nfeltmaskin-07\n0f1e2d3c4b5a69788796a5b4c3d2e1f0\n"
                                          "5c1d9e2a-7b3f-4c6d-8e9f-0a1b2c3d4e5f\n";

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray Line(int n)
{
    return "SS," + QByteArray::number(1000 + n) + ",1.500,123.4567,98.7654,45.678\r\n";
}

QByteArray Lines(qsizetype count)
{
    QByteArray all;
    for (int n = 0; n < count; ++n)
        all += Line(n);
    return all;
}

QStringList Entries(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
}

struct FileStamp {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileStamp& other) const { return bytes == other.bytes && modified == other.modified; }
};

FileStamp Stamp(const std::string& path)
{
    return {ReadBytes(path), QFileInfo(QString::fromStdString(path)).lastModified()};
}

// What a copy said goes on: it read the settings (none in a fresh folder, which it
// says), with no word of the lock.
bool WentOnSilently(ProgramCopy& copy)
{
    const QString words = copy.said();
    return words.contains(kNoSettingsWords) && !words.contains("lock file") && !words.contains("already running");
}

// What is in the lock file's place.
enum class NoFile { Pipe, Folder, Device };
enum class Unopenable { LeadsNowhere, NoPermission };

} // namespace

class OneCopyPerFolderTest : public QObject {
    Q_OBJECT
private slots:
    void secondCopyIsRefusedWhileTheFirstDownloads();
    void killedCopyDoesNotKeepTheNextStartOut();
    void copiesInOtherFoldersRunSideBySide();
    void leftOverLockIsTakenOver_data();
    void leftOverLockIsTakenOver();
    void killedCopysNumberInUseElsewhereDoesNotKeepTheStartOut();
    void lockFileThatIsNoFileIsNamedAndKept_data();
    void lockFileThatIsNoFileIsNamedAndKept();
    void lockFileThatCannotBeOpenedIsNamedAndKept_data();
    void lockFileThatCannotBeOpenedIsNamedAndKept();
    void lockOfAnotherComputerIsTakenOverWhenTheUserSaysSo();
    void folderRefusedForItsNameKeepsNoLockFile();
};

void OneCopyPerFolderTest::secondCopyIsRefusedWhileTheFirstDownloads()
{
    DownloadDriver r;
    const std::string folder = r.folder.folder();
    const ProgramFolderLock first(QString::fromStdString(folder));
    QVERIFY(first.held());
    const QString program = ProgramIn(folder);
    const std::string ini = folder + "/Tavrelo.ini";
    const std::string target = r.path("job.txt");
    r.choose(false, 2, 0); // Other: stored as received
    r.typeTarget(QString::fromStdString(target));
    std::vector<InstrumentSimulator::Step> script;
    for (int n = 0; n < kLines; ++n)
        script.push_back(Step::Send(n == 0 ? 0 : 100, Line(n)));
    r.instrument.start(script);

    // Once the data comes, a second copy starts with each command line; when all
    // have said that they are refused, the instrument sends its last line.
    const QStringList commandLines = {"", "CreateIniFile", "Custom Layout"};
    std::vector<std::unique_ptr<ProgramCopy>> seconds;
    bool refusedDuringTheDownload = false;
    bool filesUntouched = false;
    FileStamp iniBefore;
    QStringList entriesBefore;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (seconds.empty() && r.instrument.bytesSent() > 0) {
            iniBefore = Stamp(ini);
            entriesBefore = Entries(folder);
            for (const QString& words : commandLines)
                seconds.push_back(std::make_unique<ProgramCopy>(program, words.split(' ', Qt::SkipEmptyParts)));
            return;
        }
        if (seconds.empty() || !std::all_of(seconds.begin(), seconds.end(), [&](const auto& second) {
                return second->said().contains(Refusal(folder));
            }))
            return;
        watch.stop();
        refusedDuringTheDownload = DownloadWindow() && !r.instrument.scriptDone();
        filesUntouched = Stamp(ini) == iniBefore && Entries(folder) == entriesBefore;
        for (const auto& second : seconds)
            second->end();
        r.instrument.start({Step::Send(100, "END\r\n")});
    });
    QTimer giveUp; // a copy that never says it: the test ends the download itself
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, [&] { r.instrument.start({Step::Send(0, "END\r\n")}); });
    watch.start(50);
    giveUp.start(kStartMs);
    r.download();

    QCOMPARE(seconds.size(), size_t(commandLines.size()));
    for (size_t i = 0; i < seconds.size(); ++i)
        QVERIFY2(seconds[i]->said().contains(Refusal(folder)),
                 qPrintable("\"" + commandLines[int(i)] + "\" said: " + seconds[i]->text));
    QVERIFY(refusedDuringTheDownload);
    QVERIFY2(filesUntouched, "a refused copy changed the settings file or the program folder");
    const QByteArray stored = ReadBytes(target);
    QVERIFY(stored.endsWith("END\r\n"));
    const qsizetype lines = (stored.size() - 5) / Line(0).size();
    QVERIFY(lines >= 1);
    QCOMPARE(stored, Lines(lines) + "END\r\n");
    QCOMPARE(qint64(stored.size()), r.instrument.bytesSent());
    QVERIFY(r.lastMessage());
    QCOMPARE(r.lastMessage()->text, std::string("Data transmission successfully completed."));
}

void OneCopyPerFolderTest::killedCopyDoesNotKeepTheNextStartOut()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    const QString program = ProgramIn(folder.folder());
    ProgramCopy killed(program);
    QTRY_VERIFY_WITH_TIMEOUT(LockHolder(folder.folder()) == killed.process.processId(), kStartMs);
    ::kill(pid_t(killed.process.processId()), SIGKILL);
    QVERIFY(killed.process.waitForFinished(kStartMs));
    QVERIFY(QFile::exists(QString::fromStdString(folder.folder()) + "/" + kProgramLockName));

    ProgramCopy next(program);
    QTRY_VERIFY_WITH_TIMEOUT(LockHolder(folder.folder()) == next.process.processId(), kStartMs);
    QCOMPARE(next.process.state(), QProcess::Running);
    QVERIFY(!next.said().contains(Refusal(folder.folder())));
    // The one that runs now holds the folder against any other.
    QVERIFY(ProgramFolderLock(QString::fromStdString(folder.folder())).heldByAnother());
}

void OneCopyPerFolderTest::copiesInOtherFoldersRunSideBySide()
{
    ProgramFolder mine;
    ProgramFolder other;
    CreateDefaultIni(other);
    const ProgramFolderLock held(QString::fromStdString(mine.folder()));
    QVERIFY(held.held());
    ProgramCopy copy(ProgramIn(other.folder()));
    QTRY_VERIFY_WITH_TIMEOUT(LockHolder(other.folder()) == copy.process.processId(), kStartMs);
    QCOMPARE(copy.process.state(), QProcess::Running);
    QVERIFY(held.held());
}

void OneCopyPerFolderTest::leftOverLockIsTakenOver_data()
{
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("empty: the power lost before it was written") << QByteArray();
    QTest::newRow("words of no lock file") << QByteArray("Tavrelo\r\n");
    QTest::newRow("zero bytes: a block the disk never wrote") << QByteArray("\x00\x00\x00\x00\x00\x00\x00\x00", 8);
    QByteArray noise(512, '\0');
    quint32 seed = 20240611;
    for (char& byte : noise) {
        seed = seed * 1664525u + 1013904223u;
        byte = char(seed >> 24);
    }
    QTest::newRow("bytes of nothing") << noise;
}

// The real program, started where a lock file was left that no copy holds (one that
// no copy can have written whole, or bytes of nothing), takes it without a word.
void OneCopyPerFolderTest::leftOverLockIsTakenOver()
{
    QFETCH(QByteArray, left);
    ProgramFolder folder;
    WriteFile(LockPathIn(folder.folder()), left);
    ProgramCopy next(ProgramIn(folder.folder()));
    QTRY_VERIFY_WITH_TIMEOUT(next.spoke() || next.process.state() == QProcess::NotRunning, kStartMs);
    QVERIFY2(WentOnSilently(next), qPrintable(next.text));
    QCOMPARE(next.process.state(), QProcess::Running);
    QCOMPARE(LockHolder(folder.folder()), next.process.processId());
}

// A copy killed in this folder left its words, and its process number now belongs to
// a copy that runs from another folder: nothing runs from this one, and the next
// start goes on.
void OneCopyPerFolderTest::killedCopysNumberInUseElsewhereDoesNotKeepTheStartOut()
{
    ProgramFolder other;
    CreateDefaultIni(other);
    ProgramCopy running(ProgramIn(other.folder()));
    QTRY_VERIFY_WITH_TIMEOUT(LockHolder(other.folder()) == running.process.processId(), kStartMs);
    ProgramFolder folder;
    WriteFile(LockPathIn(folder.folder()), ReadBytes(LockPathIn(other.folder()).toStdString()));
    QCOMPARE(LockHolder(folder.folder()), running.process.processId());

    ProgramCopy next(ProgramIn(folder.folder()));
    QTRY_VERIFY_WITH_TIMEOUT(next.spoke() || next.process.state() == QProcess::NotRunning, kStartMs);
    QVERIFY2(WentOnSilently(next), qPrintable(next.text));
    QCOMPARE(LockHolder(folder.folder()), next.process.processId());
    QCOMPARE(LockHolder(other.folder()), running.process.processId());
    QCOMPARE(running.process.state(), QProcess::Running);
}

void OneCopyPerFolderTest::lockFileThatIsNoFileIsNamedAndKept_data()
{
    QTest::addColumn<NoFile>("make");
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << NoFile::Pipe << "a named pipe";
    QTest::newRow("folder") << NoFile::Folder << "a folder";
    QTest::newRow("link to a device") << NoFile::Device << "a device";
}

// A lock file that is no regular file is neither opened (nothing may block on a pipe)
// nor removed: the start names it in its box and reads no settings.
void OneCopyPerFolderTest::lockFileThatIsNoFileIsNamedAndKept()
{
    QFETCH(NoFile, make);
    QFETCH(QString, kind);
    ProgramFolder folder;
    const QString lock = LockPathIn(folder.folder());
    switch (make) {
    case NoFile::Pipe: QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0644), 0); break;
    case NoFile::Folder: QVERIFY(QDir().mkdir(lock)); break;
    case NoFile::Device: QVERIFY(QFile::link("/dev/null", lock)); break;
    }
    const QFileInfo before(lock);
    ProgramCopy refused(ProgramIn(folder.folder()));
    QTRY_VERIFY_WITH_TIMEOUT(refused.spoke() || refused.process.state() == QProcess::NotRunning, kStartMs);
    QVERIFY2(refused.text.contains("The lock file " + lock + " of the program folder is " + kind + ", not a file.") &&
                 refused.text.contains("Remove or rename " + lock + ", and start again."),
             qPrintable(refused.text));
    QVERIFY(!refused.text.contains(kNoSettingsWords));
    QCOMPARE(refused.process.state(), QProcess::Running); // standing at its box
    refused.end();
    const QFileInfo after(lock);
    QVERIFY(after.exists() || after.isSymLink());
    QCOMPARE(after.isDir(), before.isDir());
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QVERIFY(!folder.hasIni());
}

void OneCopyPerFolderTest::lockFileThatCannotBeOpenedIsNamedAndKept_data()
{
    QTest::addColumn<Unopenable>("make");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a link that leads nowhere") << Unopenable::LeadsNowhere << "File not found";
    QTest::newRow("another user's file") << Unopenable::NoPermission << "Permission denied";
}

// A lock file that cannot be opened cannot be locked: whether a copy holds it cannot
// be told, so it is not removed, and the box says that the user may remove it.
void OneCopyPerFolderTest::lockFileThatCannotBeOpenedIsNamedAndKept()
{
    QFETCH(Unopenable, make);
    QFETCH(QString, reason);
    ProgramFolder folder;
    const QString lock = LockPathIn(folder.folder());
    const QString program = ProgramIn(folder.folder());
    if (make == Unopenable::LeadsNowhere) {
        QVERIFY(QFile::link("gone/Tavrelo.lock", lock));
    } else {
        WriteFile(lock, "4242\ntavrelo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QVERIFY(QFile::setPermissions(lock, {}));
        testing::OpenFolderToEveryone(folder.folder());
    }
    ProgramCopy refused(program, {},
                        make == Unopenable::NoPermission ? ProgramCopy::As::Nobody : ProgramCopy::As::TheTest);
    QTRY_VERIFY_WITH_TIMEOUT(refused.spoke() || refused.process.state() == QProcess::NotRunning, kStartMs);
    QVERIFY2(refused.text.contains("The lock file " + lock + " of the program folder cannot be opened (" + reason +
                                   "), and it cannot be removed") &&
                 refused.text.contains("When the program no longer runs from the folder " +
                                       QString::fromStdString(folder.folder()) +
                                       "/, remove the file by hand and start again."),
             qPrintable(refused.text));
    QCOMPARE(refused.process.state(), QProcess::Running);
    refused.end();
    QVERIFY(QFileInfo(lock).isSymLink() || QFileInfo::exists(lock));
    QVERIFY(!folder.hasIni());
}

// A lock of another computer: the real program asks, naming the lock file's whole
// path, the computer and the process, and touches nothing while it asks. No leaves
// the lock file as it is; Yes takes the folder over.
void OneCopyPerFolderTest::lockOfAnotherComputerIsTakenOverWhenTheUserSaysSo()
{
    ProgramFolder folder;
    const QString lockPath = LockPathIn(folder.folder());
    WriteFile(lockPath, kLockOfAnotherComputer);
    const QString question = "the lock file " + QString::fromStdString(folder.folder()) + "/Tavrelo.lock names its "
                             "process 4242 there.";
    {
        ProgramCopy asking(ProgramIn(folder.folder()));
        QTRY_VERIFY_WITH_TIMEOUT(asking.said().contains(question) || asking.process.state() == QProcess::NotRunning,
                                 kStartMs);
        QVERIFY2(asking.said().contains("held by the program on the computer feltmaskin-07"), qPrintable(asking.text));
        QVERIFY(!asking.text.contains(Refusal(folder.folder())));
        QCOMPARE(asking.process.state(), QProcess::Running);
        QCOMPARE(ReadBytes(lockPath.toStdString()), kLockOfAnotherComputer);
        QVERIFY(!folder.hasIni());
    }

    RecordingInteraction no;
    no.queueAnswer(MessageAnswer::No);
    ProgramFolderLock kept(QString::fromStdString(folder.folder()));
    QVERIFY(kept.heldElsewhere());
    QVERIFY(!kept.settle(no));
    QCOMPARE(no.messages.size(), size_t(1));
    QCOMPARE(no.messages[0].buttons, MessageButtons::YesNo);
    QCOMPARE(no.messages[0].icon, MessageIcon::Question);
    QVERIFY(QString::fromStdString(no.messages[0].text).contains(question));
    QVERIFY(!kept.held());
    QCOMPARE(ReadBytes(lockPath.toStdString()), kLockOfAnotherComputer);

    RecordingInteraction yes;
    yes.queueAnswer(MessageAnswer::Yes);
    ProgramFolderLock taken(QString::fromStdString(folder.folder()));
    QVERIFY(taken.settle(yes));
    QCOMPARE(yes.messages.size(), size_t(1));
    QVERIFY(taken.held());
    QCOMPARE(LockHolder(folder.folder()), QCoreApplication::applicationPid());
}

// The program does not start from a folder whose name Windows-1252 cannot hold, and
// leaves no lock file there that a start after a rename would have to get past.
void OneCopyPerFolderTest::folderRefusedForItsNameKeepsNoLockFile()
{
    ProgramFolder folder(QString::fromUtf8("Tavrelo Łódź"));
    ProgramCopy refused(ProgramIn(folder.path()));
    QTRY_VERIFY_WITH_TIMEOUT(refused.said().contains("cannot run from this one") ||
                                 refused.process.state() == QProcess::NotRunning,
                             kStartMs);
    QVERIFY2(refused.said().contains(QString::fromUtf8("holds the characters \"Ł\", \"ź\"")), qPrintable(refused.text));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList({"tavrelo"}));
}

QTEST_MAIN(OneCopyPerFolderTest)
#include "tst_OneCopyPerFolder.moc"
