#include "helper_Session.h"

#include "mainwindow/Program.h"

#include <QDir>
#include <QFile>

namespace tavrelo::test {

ProgramFolder::ProgramFolder(const QString& name)
    : m_dir(name.isEmpty() ? QTemporaryDir() : QTemporaryDir(QDir::temp().filePath(name + "-XXXXXX")))
{
    if (!m_dir.isValid())
        qFatal("no temporary folder");
}

std::string ProgramFolder::folder() const
{
    std::string held;
    RecordingInteraction refusal;
    if (!AppFolderFromQt(m_dir.path(), held, refusal))
        qFatal("the program cannot run from %s", qPrintable(m_dir.path()));
    return held;
}

QString ProgramFolder::iniPath() const
{
    return QDir(m_dir.path()).filePath("Tavrelo.ini");
}

bool ProgramFolder::hasIni() const
{
    return QFile::exists(iniPath());
}

QByteArray ProgramFolder::iniBytes() const
{
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ProgramFolder::writeIni(const QByteArray& bytes) const
{
    QFile file(iniPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write the settings file");
}

void ProgramFolder::setIniValue(const QByteArray& section, const QByteArray& key, const QByteArray& value) const
{
    QByteArray bytes = iniBytes();
    const qsizetype header = bytes.indexOf("[" + section + "]\r\n");
    const qsizetype line = bytes.indexOf("\r\n" + key + "=", header);
    if (header < 0 || line < 0)
        qFatal("no key %s in [%s]", key.constData(), section.constData());
    const qsizetype start = line + 2;
    const qsizetype end = bytes.indexOf("\r\n", start);
    bytes.replace(start, end - start, key + "=" + value);
    writeIni(bytes);
}

std::unique_ptr<ProgramSession> ProgramFolder::start(const std::string& commandLine)
{
    StartOptions options;
    options.appFolder = folder();
    options.commandLine = commandLine;
    options.minimumSplashMs = 0;
    auto session = Main(options, interaction);
    if (!QTest::qWaitForWindowExposed(session->mainWindow.get()))
        qWarning("main window not exposed");
    return session;
}

void CreateDefaultIni(ProgramFolder& folder)
{
    folder.start("CreateIniFile");
    folder.interaction.clear();
}

} // namespace tavrelo::test
