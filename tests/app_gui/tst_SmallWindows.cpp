// The question, conversion-note and splash windows, and the busy pointer.
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/F_Msg.h"
#include "app/gui/F_MsgCon.h"
#include "app/gui/F_Start.h"
#include "app/gui/QtUserInteraction.h"
#include "app/gui/Twips.h"
#include "support/WholeTitle.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tavrelo;
using tavrelo::test::TitleCut;

namespace {

SettingsModel Messages()
{
    SettingsModel model;
    const char* texts[] = {"", "Receive", "Send", "Settings", "", "", "Warning", "Do you wish to overwite or append data?",
                           "Append", "Overwite", "Cancel"};
    for (int n = 1; n <= 10; ++n)
        model.setMessage(n, texts[n]);
    model.setMessage(44, "Converting");
    model.setMessage(45, "Please Wait");
    model.setMessage(46, "Finished");
    model.setMessage(47, "Conversion finished");
    return model;
}

// Runs act on the modal window once it is up.
void WhenModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        act(QApplication::activeModalWidget());
    });
}

} // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void questionAnswers_data();
    void questionAnswers();
    void questionShowsItsTexts();
    void conversionNoteAndFinishedMessage();
    void splashIsFramedPictureAndClosesOnClick();
    void busyPointerIsSetAndRestoredOnce();
    void boxesAreWideEnoughForTheirTitles_data();
    void boxesAreWideEnoughForTheirTitles();
};

void SmallWindowsTest::questionAnswers_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("mode");
    QTest::newRow("Append") << "ComAppend" << "Append" << 1;
    QTest::newRow("Overwite") << "ComOverwite" << "Overwite" << 2;
    QTest::newRow("Cancel") << "ComCancel" << "Cancel" << 0;
    QTest::newRow("Escape") << "escape" << "Cancel" << 0;
    QTest::newRow("close box") << "close" << "Cancel" << 0;
}

void SmallWindowsTest::questionAnswers()
{
    QFETCH(QString, how);
    QFETCH(QString, word);
    QFETCH(int, mode);
    const SettingsModel model = Messages();
    ProgramState state;
    state.OutputFileMode = 1;
    WhenModal([how](QWidget* box) {
        if (how == "escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else if (how == "close")
            box->close();
        else
            box->findChild<QPushButton*>(how)->click();
    });
    QCOMPARE(AskAppendOrOverwrite(model, state, nullptr), word.toStdString());
    QCOMPARE(state.DialogAnswer, word.toStdString());
    QCOMPARE(state.OutputFileMode, mode);
}

void SmallWindowsTest::questionShowsItsTexts()
{
    const SettingsModel model = Messages();
    ProgramState state;
    QString title, question, buttons;
    std::string answerWhileOpen = "unset";
    WhenModal([&](QWidget* box) {
        title = box->windowTitle();
        question = box->findChild<QLabel*>("LbMsg")->text();
        for (const char* name : {"ComAppend", "ComOverwite", "ComCancel"})
            buttons += box->findChild<QPushButton*>(name)->text() + "|";
        answerWhileOpen = state.DialogAnswer;
        box->findChild<QPushButton*>("ComAppend")->click();
    });
    AskAppendOrOverwrite(model, state, nullptr);
    QCOMPARE(title, QString("Warning"));
    QCOMPARE(question, QString("Do you wish to overwite or append data?"));
    QCOMPARE(buttons, QString("Append|Overwite|Cancel|"));
    QCOMPARE(answerWhileOpen, std::string());
    QCOMPARE(state.DialogAnswer, std::string("Append"));
}

void SmallWindowsTest::conversionNoteAndFinishedMessage()
{
    const SettingsModel model = Messages();
    F_MsgCon note(model);
    note.showConverting("job1.zvk");
    QVERIFY(note.isVisible());
    QVERIFY(!note.isModal());
    QCOMPARE(note.windowTitle(), QString("Converting"));
    QCOMPARE(note.Lb1()->text(), QString("Converting job1.zvk"));
    QCOMPARE(note.Lb2()->text(), QString("Please Wait"));
    QVERIFY(note.ComOK()->isHidden());

    bool oneLine = false;
    int okLeft = -1;
    WhenModal([&](QWidget* box) {
        oneLine = note.Lb2()->isHidden() && note.Lb1()->text() == "Conversion finished" &&
                  box->windowTitle() == "Finished";
        okLeft = note.ComOK()->x();
        note.ComOK()->click();
    });
    note.showFinished();
    QVERIFY(oneLine);
    // (outer width - button width) / 2: (3375 + 120 - 855) / 2 twips.
    QCOMPARE(okLeft, TwipsToPixels(1320));
    QVERIFY(!note.isVisible());
}

void SmallWindowsTest::splashIsFramedPictureAndClosesOnClick()
{
    F_Start splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), QSize(261, 261));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QTest::mouseClick(splash.findChild<QLabel*>("Im"), Qt::LeftButton);
    QVERIFY(!splash.isVisible());
}

void SmallWindowsTest::busyPointerIsSetAndRestoredOnce()
{
    QtUserInteraction interaction;
    interaction.setBusy(true);
    interaction.setBusy(true);
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    interaction.setBusy(false);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    interaction.setBusy(false);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void SmallWindowsTest::boxesAreWideEnoughForTheirTitles_data()
{
    QTest::addColumn<QString>("window"); // "box": a message box of the user interaction
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("Select data file") << "box" << "Select data file" << "File not exist.";
    QTest::newRow("a title longer than its text") << "box" << "Nothing could be found in this file" << "No.";
    QTest::newRow("question") << "F_Msg" << "The target file exists already: append to it or overwrite it?" << "";
    QTest::newRow("conversion note") << "F_MsgCon" << "Converting the received data" << "";
}

// Under a window manager a title wider than its box is cut ("Se… le").
void SmallWindowsTest::boxesAreWideEnoughForTheirTitles()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QString, text);
    SettingsModel model = Messages();
    model.setMessage(6, title.toStdString());
    model.setMessage(44, title.toStdString());
    QString cut = "not shown";
    if (window != "F_MsgCon")
        WhenModal([&](QWidget* box) {
            cut = box->windowTitle() == title ? TitleCut(box) : "title " + box->windowTitle();
            box->close();
        });
    if (window == "box") {
        QtUserInteraction().message(text.toStdString(), MessageButtons::Ok, MessageIcon::Critical,
                                    title.toStdString());
    } else if (window == "F_Msg") {
        ProgramState state;
        AskAppendOrOverwrite(model, state, nullptr);
    } else {
        F_MsgCon note(model);
        note.showConverting("job.raw");
        cut = TitleCut(&note);
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
}

QTEST_MAIN(SmallWindowsTest)
#include "tst_SmallWindows.moc"
