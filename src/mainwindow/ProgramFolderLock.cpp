#include "mainwindow/ProgramFolderLock.h"

#include "app/gui/QtText.h"
#include "platform/UserInteraction.h"

#include <QDir>

#include <cstdio>

namespace tavrelo {

ProgramFolderLock::ProgramFolderLock(const QString& folder)
    : m_folder(QDir::toNativeSeparators(QDir(folder).absolutePath()))
    , m_lock(QDir(folder).filePath(QString::fromLatin1(kProgramLockName)))
{
    // A copy runs for hours: its lock must never count as stale by its age, only when
    // its process is gone.
    m_lock.setStaleLockTime(0);
    m_held = m_lock.tryLock(0);
    m_heldByAnother = !m_held && m_lock.error() == QLockFile::LockFailedError;
}

std::string ProgramFolderLock::alreadyRunningText() const
{
    QString folder = m_folder;
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    QString text = QStringLiteral("The program is already running from the folder %1.\r\n"
                                  "A second copy would share its settings file Tavrelo.ini and the file Pemdrix.tem "
                                  "that a download is received into, so this copy ends without touching them. "
                                  "Go on in the copy that is running.")
                       .arg(folder);
    qint64 pid = 0;
    QString host;
    QString program;
    if (m_lock.getLockInfo(&pid, &host, &program))
        text += QStringLiteral("\r\n(The lock file %1%2 is held by process %3 on %4.)")
                    .arg(folder, QString::fromLatin1(kProgramLockName), QString::number(pid), host);
    return FromQt(text);
}

void ProgramFolderLock::tellAlreadyRunning(UserInteraction& ui) const
{
    const std::string text = alreadyRunningText();
    QString line = ToQt(text);
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
    ui.message(text, MessageButtons::Ok, MessageIcon::Exclamation, "Warning");
}

} // namespace tavrelo
