#pragma once
// Starts the program in a temporary program folder of its own, with the splash wait
// at 0 and message boxes answered by a recorder, and finds controls by name.
#include "mainwindow/F_DatTr.h"
#include "mainwindow/StartUp.h"
#include "platform/UserInteraction.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

namespace tavrelo::test {

class ProgramFolder {
public:
    // A temporary folder whose name starts with name ("Tavrelo øst"), or Qt's default one.
    explicit ProgramFolder(const QString& name = QString());

    // As the program holds it (Windows-1252), by the program's own rule.
    std::string folder() const;
    QString iniPath() const;
    bool hasIni() const;
    QByteArray iniBytes() const;
    void writeIni(const QByteArray& bytes) const;
    // The settings file with the line "key=old value" in section replaced by key=value
    // (the first such key after the section header).
    void setIniValue(const QByteArray& section, const QByteArray& key, const QByteArray& value) const;

    // Runs the start-up with the command line; the main window is shown.
    std::unique_ptr<ProgramSession> start(const std::string& commandLine = std::string());

    RecordingInteraction interaction;
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

template <class Control>
Control* Find(const ProgramSession& session, const char* name)
{
    auto* control = session.mainWindow->findChild<Control*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

// Writes a default settings file into the folder (a start with "CreateIniFile").
void CreateDefaultIni(ProgramFolder& folder);

} // namespace tavrelo::test
