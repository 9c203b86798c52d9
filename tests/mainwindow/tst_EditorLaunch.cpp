// "View saved file": the target opened in the configured editor, started with the
// file as its one argument and no shell, or in the desktop's viewer; a program that
// cannot start is told to the user.
#include "helper_Receive.h"

#include "mainwindow/EditorLaunch.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

using namespace tavrelo;
using namespace tavrelo::test;

class EditorLaunchTest : public QObject {
    Q_OBJECT
private slots:
    void editorGetsTheNameAsItsOneArgument();
    void viewOpensTheTrimmedTargetInTheChosenEditor();
    void editorThatCannotStartIsTold();
};

void EditorLaunchTest::editorGetsTheNameAsItsOneArgument()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("argument");
    const QString editor = dir.filePath("editor");
    WriteBytes(editor.toStdString(), QString("#!/bin/sh\nprintf '%s|%s' \"$1\" \"$#\" > '" + out + "'\n").toUtf8());
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString name = dir.filePath("job 1; rm -rf x $(echo y).kof");
    QString error;
    QVERIFY(OpenInEditor(editor, name, &error));
    QTRY_VERIFY(QFile::exists(out) && !ReadBytes(out.toStdString()).isEmpty());
    QCOMPARE(QString::fromUtf8(ReadBytes(out.toStdString())), name + "|1");
}

void EditorLaunchTest::viewOpensTheTrimmedTargetInTheChosenEditor()
{
    ReceiveDriver r;
    QStringList calls;
    r.seams().openInEditor = [&](const QString& program, const QString& file, QString*) {
        calls << program + "|" + file;
        return true;
    };
    r.typeTarget("  " + QString::fromStdString(r.path("job 1.kof")) + " ");
    const QString name = QString::fromStdString(r.path("job 1.kof"));
    const struct { int choice; const char* editor; QString program; } cases[] = {
        {0, "/usr/bin/ed", QString()},   // "Use Notepad": the desktop's viewer
        {1, "", QString()},              // "Use Other" without a program
        {1, " /usr/bin/ed ", "/usr/bin/ed"},
    };
    for (const auto& c : cases) {
        r.settings().StOpEditor = static_cast<int16_t>(c.choice);
        r.settings().ProgramEditor = c.editor;
        calls.clear();
        Find<QPushButton>(*r.session, "ComViewFile")->setEnabled(true);
        r.click("ComViewFile");
        QCOMPARE(calls, QStringList{c.program + "|" + name});
    }
}

// Each way an "Other" editor can be missing: one box that names the editor, says why
// in plain words and where it is set; never the bare "execv: ..." of the process.
void EditorLaunchTest::editorThatCannotStartIsTold()
{
    ReceiveDriver r;
    const std::string notAProgram = r.path("notes.txt");
    WriteBytes(notAProgram, "text\r\n");
    QDir().mkpath(QString::fromStdString(r.path("tools")));
    const struct {
        std::string editor;
        const char* why;
    } cases[] = {
        {r.path("no-such-editor"), "there is no such file"},
        {r.path("tools"), "it is a folder, not a program"},
        {notAProgram, "the file is not a program that may be run"},
        {"no-such-editor-on-the-path", "no program of that name is on the search path"},
    };
    r.typeTarget("job.kof");
    for (const auto& c : cases) {
        r.settings().StOpEditor = 1;
        r.settings().ProgramEditor = c.editor;
        Find<QPushButton>(*r.session, "ComViewFile")->setEnabled(true);
        r.folder.interaction.clear();
        r.click("ComViewFile");
        QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
        const auto& box = r.folder.interaction.messages[0];
        QCOMPARE(box.title, std::string("Error"));
        QVERIFY(box.icon == MessageIcon::Critical);
        const std::string head = "The editor \"" + c.editor + "\" could not be started: " + c.why + ".";
        QVERIFY2(box.text.rfind(head, 0) == 0, box.text.c_str());
        QVERIFY2(box.text.find("Settings tab") != std::string::npos, box.text.c_str());
        QVERIFY2(box.text.find("\"Use Other\"") != std::string::npos, box.text.c_str());
        QVERIFY2(box.text.find("execv") == std::string::npos, box.text.c_str());
    }
}

QTEST_MAIN(EditorLaunchTest)
#include "tst_EditorLaunch.moc"
