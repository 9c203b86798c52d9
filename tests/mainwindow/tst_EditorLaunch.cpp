// "View saved file": the target opened in the configured editor, started with the
// file as its one argument and no shell, or in the desktop's viewer; a program that
// cannot start is told to the user.
#include "helper_Receive.h"

#include "mainwindow/EditorLaunch.h"

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

void EditorLaunchTest::editorThatCannotStartIsTold()
{
    ReceiveDriver r;
    r.settings().StOpEditor = 1;
    r.settings().ProgramEditor = r.path("no-such-editor");
    r.typeTarget("job.kof");
    Find<QPushButton>(*r.session, "ComViewFile")->setEnabled(true);
    r.folder.interaction.clear();
    r.click("ComViewFile");
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.folder.interaction.messages[0].title, std::string("Error"));
    QVERIFY(!r.folder.interaction.messages[0].text.empty());
}

QTEST_MAIN(EditorLaunchTest)
#include "tst_EditorLaunch.moc"
