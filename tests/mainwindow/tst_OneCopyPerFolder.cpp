// One copy of the program per program folder. A second start of the real program from
// the folder of a copy that is downloading is refused, whatever its command line, and
// touches no file there; the first copy's download is stored whole. A copy killed
// with SIGKILL does not keep the next start out, and copies in other folders run side
// by side.
//
// The first copy is this test's own session (its windows, the simulated instrument),
// holding the folder's lock as the program takes it at its start; the others are the
// program's executable copied into the folder, so that it is their program folder. A
// refused copy stands at its box, which no test can answer in another process: its
// words are read from its standard error, and the test ends it.
#include "helper_Download.h"
#include "mainwindow/ProgramFolderLock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>

#include <algorithm>
#include <csignal>
#include <memory>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

constexpr int kStartMs = 60000; // a start of the program on a loaded machine, with a wide margin
constexpr int kLines = 600;      // one every 100 ms: the instrument outlasts the refusals by far

QString ProgramIn(const std::string& folder)
{
    const QString copy = QString::fromStdString(folder) + "/tavrelo";
    if (!QFile::exists(copy) && !QFile::copy(QStringLiteral(TAVRELO_PROGRAM), copy))
        qFatal("cannot copy the program into %s", folder.c_str());
    return copy;
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

// The process that holds the folder's lock, 0 for none.
qint64 LockHolder(const std::string& folder)
{
    QLockFile lock(QString::fromStdString(folder) + "/" + kProgramLockName);
    qint64 pid = 0;
    QString host, program;
    return lock.getLockInfo(&pid, &host, &program) ? pid : 0;
}

QString Refusal(const std::string& folder)
{
    return "The program is already running from the folder " + QString::fromStdString(folder) + "/.";
}

QStringList Entries(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
}

// A copy of the program started from a folder, ended with the test whatever happens.
struct ProgramCopy {
    explicit ProgramCopy(const QString& program, const QStringList& words = {}) { process.start(program, words); }
    ~ProgramCopy() { end(); }
    void end()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    QString said() { return text += QString::fromLocal8Bit(process.readAllStandardError()); }

    QProcess process;
    QString text;
};

struct FileStamp {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileStamp& other) const { return bytes == other.bytes && modified == other.modified; }
};

FileStamp Stamp(const std::string& path)
{
    return {ReadBytes(path), QFileInfo(QString::fromStdString(path)).lastModified()};
}

} // namespace

class OneCopyPerFolderTest : public QObject {
    Q_OBJECT
private slots:
    void secondCopyIsRefusedWhileTheFirstDownloads();
    void killedCopyDoesNotKeepTheNextStartOut();
    void copiesInOtherFoldersRunSideBySide();
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

QTEST_MAIN(OneCopyPerFolderTest)
#include "tst_OneCopyPerFolder.moc"
