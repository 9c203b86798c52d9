#include "mainwindow/EditorLaunch.h"

#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "platform/TextRules.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace tavrelo {

namespace {

bool StartDetached(const QString& program, const QString& file, QString* error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({file});
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
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
        *error = QStringLiteral("No program is set up to open %1").arg(file);
    return false;
#endif
}

QString ConfiguredEditor(const ProgramSettings& settings)
{
    return settings.StOpEditor > 0 ? ToQt(Trim(settings.ProgramEditor)) : QString();
}

} // namespace tavrelo
