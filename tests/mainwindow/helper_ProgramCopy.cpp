#include "helper_ProgramCopy.h"

#include "mainwindow/ProgramFolderLock.h"
#include "support/Unprivileged.h"

#include <QFile>
#include <QLockFile>

#include <grp.h>
#include <unistd.h>

namespace tavrelo::test {

const char* const kNoSettingsWords = "The program is unable to read the saved settings";

QString ProgramCopiedInto(const QString& folder, const QString& program)
{
    const QString copy = folder + "/tavrelo";
    if (!QFile::exists(copy) && !QFile::copy(program, copy))
        qFatal("cannot copy the program into %s", qPrintable(folder));
    return copy;
}

QString LockPathIn(const std::string& folder)
{
    return QString::fromStdString(folder) + "/" + kProgramLockName;
}

qint64 LockHolder(const std::string& folder)
{
    QLockFile lock(LockPathIn(folder));
    qint64 pid = 0;
    QString host, program;
    return lock.getLockInfo(&pid, &host, &program) ? pid : 0;
}

QString Refusal(const std::string& folder)
{
    return "The program is already running from the folder " + QString::fromStdString(folder) + "/.";
}

ProgramCopy::ProgramCopy(const QString& program, const QStringList& words, As as, const QString& workingFolder)
{
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    if (as == As::Nobody && ::geteuid() == 0) {
        // Root opens every file: a user meets permissions only as another user.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", "/tmp");
        environment.remove("XDG_RUNTIME_DIR");
        process.setProcessEnvironment(environment);
        process.setChildProcessModifier([] {
            using tavrelo::testing::kNobody;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(126);
        });
    }
    process.start(program, words);
}

void ProgramCopy::end()
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
}

QString ProgramCopy::said()
{
    return text += QString::fromLocal8Bit(process.readAllStandardError());
}

bool ProgramCopy::spoke()
{
    const QString words = said();
    return words.contains(kNoSettingsWords) || words.contains("The program is already running") ||
           words.contains("The lock file") || words.contains("Take the folder over");
}

} // namespace tavrelo::test
