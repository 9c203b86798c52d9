#include "mainwindow/Program.h"

#include "app/gui/QtText.h"
#include "app/gui/QtUserInteraction.h"
#include "app/gui/TavreloApplication.h"
#include "mainwindow/F_DatTr.h"
#include "mainwindow/ProgramFolderLock.h"
#include "mainwindow/StartMessage.h"
#include "mainwindow/StartUp.h"
#include "platform/FileNames.h"

#include <QApplication>
#include <QFont>

namespace tavrelo {

namespace {

// The settings file names the fonts of the system the program was first written for;
// these stand in for them where they are missing. The names in the file stay as they are.
void SubstituteFonts()
{
    // Narrow faces first: the designed widths were made for a narrow bitmap font.
    const QStringList sansSerif = {"Microsoft Sans Serif", "Tahoma", "Liberation Sans Narrow", "DejaVu Sans Condensed",
                                   "Liberation Sans", "Arial", "DejaVu Sans"};
    QFont::insertSubstitutions("MS Sans Serif", sansSerif);
}

} // namespace

bool AppFolderFromQt(const QString& folder, std::string& appFolder, UserInteraction& ui)
{
    if (PathFromQt(folder, appFolder))
        return true;
    TellUnicodeAtStart(ui, RefusedFileNameText(folder.toStdString()) +
                       "\r\nThe program keeps Tavrelo.ini and its received data in its own folder, so it cannot"
                       " run from this one. Move it to another folder, or rename this one.",
                       MessageButtons::Ok, MessageIcon::Critical, "Tavrelo");
    return false;
}

int RunProgram(int argc, char* argv[])
{
    TavreloApplication app(argc, argv);
    app.setApplicationName("Tavrelo");
    SubstituteFonts();
    QtUserInteraction interaction;

    StartOptions options;
    if (!AppFolderFromQt(QCoreApplication::applicationDirPath(), options.appFolder, interaction))
        return 1;
    // Before anything reads or writes a file of the program folder; a folder refused
    // for its name is left without a lock file.
    ProgramFolderLock lock(QCoreApplication::applicationDirPath());
    if (!lock.settle(interaction))
        return 1;
    options.commandLine = JoinArguments(argc, argv);
    const std::unique_ptr<ProgramSession> session = Main(options, interaction);

    app.setInteraction(&interaction, session->model.message(11));
    QObject::connect(session->mainWindow.get(), &F_DatTr::programEnded, &app, &QCoreApplication::exit);
    app.setQuitOnLastWindowClosed(false);
    return app.exec();
}

} // namespace tavrelo
