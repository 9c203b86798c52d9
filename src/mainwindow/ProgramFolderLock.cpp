#include "mainwindow/ProgramFolderLock.h"

#include "app/gui/QtText.h"
#include "mainwindow/StartMessage.h"
#include "platform/RunError.h"
#include "platform/UserInteraction.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

namespace tavrelo {

namespace {

// A copy that has just made the lock file writes its words a moment later; a refused
// copy waits that long for them, to say who holds the folder.
constexpr int kWordsMs = 1000;

QString WithSeparator(QString folder)
{
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

std::string LockFileName(const QString& folder)
{
    std::string path;
    return PathFromQt(folder + QString::fromLatin1(kProgramLockName), path) ? path : std::string();
}

QString KindText(FileLock::Kind kind)
{
    switch (kind) {
    case FileLock::Kind::Folder: return QStringLiteral("a folder");
    case FileLock::Kind::Pipe: return QStringLiteral("a named pipe");
    case FileLock::Kind::Device: return QStringLiteral("a device");
    case FileLock::Kind::Socket: return QStringLiteral("a socket");
    default: return QStringLiteral("no regular file");
    }
}

} // namespace

ProgramFolderLock::ProgramFolderLock(const QString& folder)
    : m_folder(WithSeparator(QDir::toNativeSeparators(QDir(folder).absolutePath())))
    , m_lock(LockFileName(m_folder))
{
    readWords();
    if (m_lock.state() == FileLock::State::HeldByAnother && !m_readable) {
        const QDeadlineTimer writing(kWordsMs);
        while (!m_readable && !writing.hasExpired()) {
            QThread::msleep(10);
            readWords();
        }
    }
    m_elsewhere = m_readable && m_host != QSysInfo::machineHostName();
    if (held())
        writeWords();
}

ProgramFolderLock::~ProgramFolderLock()
{
    m_lock.release(held());
}

bool ProgramFolderLock::held() const
{
    return m_lock.state() == FileLock::State::Held && !m_elsewhere;
}

// The words as QLockFile writes them: process, program, computer, then the machine's
// and the boot's identities.
void ProgramFolderLock::readWords()
{
    const QList<QByteArray> lines = QByteArray::fromStdString(m_lock.contents()).split('\n');
    bool number = false;
    m_pid = lines.size() >= 3 ? lines[0].trimmed().toLongLong(&number) : 0;
    m_host = lines.size() >= 3 ? QString::fromUtf8(lines[2].trimmed()) : QString();
    m_readable = number && m_pid > 0 && !m_host.isEmpty();
}

void ProgramFolderLock::writeWords()
{
    const QString program = QCoreApplication::instance()
                                ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                                : QStringLiteral("tavrelo");
    const QByteArray words = QByteArray::number(QCoreApplication::applicationPid()) + '\n' + program.toUtf8() + '\n' +
                             QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
                             QSysInfo::bootUniqueId() + '\n';
    m_lock.write(words.toStdString()); // a file this user may only read keeps its old words
}

QString ProgramFolderLock::lockPath() const
{
    return m_folder + QString::fromLatin1(kProgramLockName);
}

bool ProgramFolderLock::settle(UserInteraction& ui)
{
    if (held() || m_lock.state() == FileLock::State::NoPlace)
        return true;
    if (heldElsewhere()) {
        if (TellAtStart(ui, elsewhereQuestion(), MessageButtons::YesNo, MessageIcon::Question, "Tavrelo") !=
            MessageAnswer::Yes) {
            m_lock.release(false);
            return false;
        }
        m_elsewhere = false;
        writeWords();
        return true;
    }
    TellAtStart(ui, refusalText(), MessageButtons::Ok, MessageIcon::Exclamation, "Warning");
    return false;
}

std::string ProgramFolderLock::alreadyRunningText() const
{
    QString text = QStringLiteral("The program is already running from the folder %1.\r\n"
                                  "A second copy would share its settings file Tavrelo.ini and the file Pemdrix.tem "
                                  "that a download is received into, so this copy ends without touching them. "
                                  "Go on in the copy that is running.")
                       .arg(m_folder);
    if (m_readable)
        text += QStringLiteral("\r\n(The lock file %1 is held by process %2 on %3.)")
                    .arg(lockPath(), QString::number(m_pid), m_host);
    return FromQt(text);
}

std::string ProgramFolderLock::elsewhereQuestion() const
{
    return FromQt(QStringLiteral("The program folder %1 is held by the program on the computer %2: the lock file %3 "
                                 "names its process %4 there.\r\n"
                                 "Two copies would share the settings file Tavrelo.ini and the file Pemdrix.tem that "
                                 "a download is received into. When the program no longer runs from this folder on "
                                 "%2 (it was ended by force, or the drive was pulled from that computer), the lock "
                                 "file is left over.\r\n"
                                 "Take the folder over and start here?")
                      .arg(m_folder, m_host, lockPath(), QString::number(m_pid)));
}

// Why this copy ends: a copy that runs, or a lock file that is no file or cannot be
// opened, which stays where it is.
std::string ProgramFolderLock::refusalText() const
{
    switch (m_lock.state()) {
    case FileLock::State::NotAFile:
        return FromQt(QStringLiteral("The lock file %1 of the program folder is %2, not a file. The program holds its "
                                     "folder with that file, so it cannot start from there.\r\n"
                                     "Remove or rename %1, and start again.")
                          .arg(lockPath(), KindText(m_lock.kind())));
    case FileLock::State::Unopenable:
        return FromQt(QStringLiteral("The lock file %1 of the program folder cannot be opened (%2), and it cannot be "
                                     "removed while a copy that runs may hold it.\r\n"
                                     "When the program no longer runs from the folder %3, remove the file by hand "
                                     "and start again.")
                          .arg(lockPath(), ToQt(RunErrorDescription(m_lock.error())), m_folder));
    default:
        return alreadyRunningText();
    }
}

} // namespace tavrelo
