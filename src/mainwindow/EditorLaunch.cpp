#include "mainwindow/EditorLaunch.h"

#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "platform/TextRules.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tavrelo {

namespace {

// Where the user chooses the editor, for every message that an editor did not start.
const QString kWhereToSetIt = QStringLiteral(
    "Choose the editor on the Settings tab under \"Editor\": \"Use Notepad\", or \"Use Other\" "
    "with the program chosen by Browse.");

// Why the program cannot be started, in the user's words, or "" when it looks
// startable. QProcess alone says only "execv: No such file or directory".
QString WhyNotStartable(const QString& program)
{
    if (!program.contains(QLatin1Char('/'))) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return QStringLiteral("no program of that name is on the search path");
        return QString();
    }
    const QFileInfo info(program);
    if (!info.exists())
        return QStringLiteral("there is no such file");
    if (info.isDir())
        return QStringLiteral("it is a folder, not a program");
    if (!info.isExecutable())
        return QStringLiteral("the file is not a program that may be run");
    return QString();
}

QString EditorFailure(const QString& program, const QString& reason)
{
    return QStringLiteral("The editor \"%1\" could not be started: %2.\n%3").arg(program, reason, kWhereToSetIt);
}

bool StartDetached(const QString& program, const QString& file, QString* error)
{
    QString reason = WhyNotStartable(program);
    if (reason.isEmpty()) {
        QProcess process;
        process.setProgram(program);
        process.setArguments({file});
        if (process.startDetached())
            return true;
        reason = process.errorString();
        reason.remove(QStringLiteral("execv: "));
    }
    if (error)
        *error = EditorFailure(program, reason);
    return false;
}

} // namespace

bool OpenInEditor(const QString& program, const QString& file, QString* error)
{
    if (!program.isEmpty())
        return StartDetached(program, file, error);
#ifdef _WIN32
    return StartDetached(QStringLiteral("notepad.exe"), file, error);
#else
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        return true;
    if (error)
        *error = QStringLiteral("No program is set up on this desktop to open %1 (Linux desktops open files "
                                "with xdg-open).\n%2")
                     .arg(file, kWhereToSetIt);
    return false;
#endif
}

QString ConfiguredEditor(const ProgramSettings& settings)
{
    return settings.StOpEditor > 0 ? ToQt(Trim(settings.ProgramEditor)) : QString();
}

} // namespace tavrelo
