#include "mainwindow/ProgramFolderLock.h"

#include "app/gui/QtText.h"
#include "mainwindow/StartMessage.h"
#include "platform/UserInteraction.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QSysInfo>
#include <QThread>

namespace tavrelo {

namespace {

// How long an unreadable lock file may be one that a starting copy is writing this
// moment: that copy holds the file locked while it writes, so it cannot be removed.
constexpr int kWritingMs = 2000;

QString WithSeparator(QString folder)
{
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

} // namespace

ProgramFolderLock::ProgramFolderLock(const QString& folder)
    : m_folder(WithSeparator(QDir::toNativeSeparators(QDir(folder).absolutePath())))
    , m_lock(QDir(folder).filePath(QString::fromLatin1(kProgramLockName)))
{
    // A copy runs for hours: its lock must never count as stale by its age, only when
    // its process is gone.
    m_lock.setStaleLockTime(0);
    take();
}

// Qt takes over a lock of this computer whose process is gone; an empty or unreadable
// one it leaves, so it is removed here. Removal takes the file's own lock first, which
// a copy that is writing it holds: that copy is waited for, and then it is read.
void ProgramFolderLock::take()
{
    const QDeadlineTimer writing(kWritingMs);
    m_heldByAnother = false;
    for (;;) {
        m_held = m_lock.tryLock(0);
        if (m_held || m_lock.error() != QLockFile::LockFailedError)
            return;
        m_heldByAnother = true;
        m_readable = m_lock.getLockInfo(&m_pid, &m_host, &m_program);
        if (m_readable || writing.hasExpired())
            return;
        if (!m_lock.removeStaleLockFile())
            QThread::msleep(20);
    }
}

bool ProgramFolderLock::onThisComputer() const
{
    return m_host == QSysInfo::machineHostName();
}

QString ProgramFolderLock::lockPath() const
{
    return m_folder + QString::fromLatin1(kProgramLockName);
}

bool ProgramFolderLock::settle(UserInteraction& ui)
{
    if (!m_heldByAnother)
        return true;
    if (heldElsewhere()) {
        if (TellAtStart(ui, elsewhereQuestion(), MessageButtons::YesNo, MessageIcon::Question, "Tavrelo") !=
            MessageAnswer::Yes)
            return false;
        if (m_lock.removeStaleLockFile())
            take();
        if (!m_heldByAnother)
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

// Why this copy ends: a copy running here, or a lock file that stays where it is.
std::string ProgramFolderLock::refusalText() const
{
    if (m_readable && !heldElsewhere())
        return alreadyRunningText();
    const QString where = m_readable ? QStringLiteral(" on %1").arg(m_host) : QString();
    const QString what = m_readable ? QStringLiteral("The lock file %1 of the program folder cannot be removed.")
                                    : QStringLiteral("The lock file %1 of the program folder is empty or cannot be "
                                                     "read, and it cannot be removed.");
    return FromQt(what.arg(lockPath()) +
                  QStringLiteral("\r\nWhen the program no longer runs from the folder %1%2, remove the file by hand "
                                 "and start again.")
                      .arg(m_folder, where));
}

} // namespace tavrelo
