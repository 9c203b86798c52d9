// The download window and the SDR instruction box on their own: texts from the
// settings file, the rows and the centred button, the byte count that is never taken
// for a caption, Cancel and the close box in and out of setup mode, and instruction
// lines that push each other down.
#include "app/gui/Twips.h"
#include "link/F_DL.h"
#include "link/F_SdrDL.h"
#include "platform/Profile.h"
#include "support/LinkFolder.h"
#include "support/WholeTitle.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrelo;
using tavrelo::test::LinkFolder;

class TestDownloadWindows : public QObject {
    Q_OBJECT
private slots:
    void downloadWindowTextsAndLayout();
    void byteCountIsNeverSavedAsCaption();
    void cancelAndCloseBox_data();
    void cancelAndCloseBox();
    void longInstructionLinesPushTheNextDown();
    void instructionBoxShowsItsWholeTitle();
};

void TestDownloadWindows::downloadWindowTextsAndLayout()
{
    LinkFolder folder;
    WriteProfileString("DL_Form", "Caption", "Empfang", folder.state.IniPath);
    F_DL dl(folder.model, folder.state, folder.ui);
    dl.showSettings({"19200", "8", "Xon/Xoff", "KOF raw data file"});
    QCOMPARE(dl.windowTitle(), QString("Empfang"));
    QCOMPARE(dl.findChild<QLabel*>("LbBaundRate0")->text(), QString("Baud rate:"));
    QCOMPARE(dl.findChild<QLabel*>("LbFlowControl1")->text(), QString("Xon/Xoff"));
    QCOMPARE(dl.findChild<QLabel*>("LbParity1")->text(), QString("None"));
    QCOMPARE(dl.findChild<QLabel*>("LbStopBit1")->text(), QString("1"));
    QCOMPARE(dl.findChild<QLabel*>("LbDataformat")->text(), QString("KOF raw data file"));
    QCOMPARE(dl.findChild<QLabel*>("LbRAWdata")->text(), QString("start sending data now"));
    QCOMPARE(TwipsTop(dl.findChild<QLabel*>("LbStopBit0")), 1344.0);
    QCOMPARE(TwipsLeft(dl.findChild<QLabel*>("LbStopBit1")), 1752.0);
    auto* cancel = dl.findChild<QPushButton*>("ComCancel");
    QVERIFY(qAbs(TwipsLeft(cancel) - (WindowOuterWidth(&dl) - TwipsWidth(cancel)) / 2) <= 15);
    // Every frame and the button inside the window.
    for (QWidget* w : dl.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        QVERIFY2(dl.rect().contains(w->geometry()), qPrintable(w->objectName()));
}

void TestDownloadWindows::byteCountIsNeverSavedAsCaption()
{
    LinkFolder folder;
    F_DL dl(folder.model, folder.state, folder.ui);
    dl.showByteCount(123456);
    QCOMPARE(dl.findChild<QLabel*>("LbRAWdata")->text(), QString("Bytes:   123456"));
    dl.collectTexts(folder.model);
    QCOMPARE(folder.model.control("DL_LbRAWdata")->Caption, std::string("start sending data now"));
}

void TestDownloadWindows::cancelAndCloseBox_data()
{
    QTest::addColumn<bool>("setupMode");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Cancel") << false << false;
    QTest::newRow("close box") << false << true;
    QTest::newRow("Cancel in setup mode") << true << false;
    QTest::newRow("close box in setup mode") << true << true;
}

void TestDownloadWindows::cancelAndCloseBox()
{
    QFETCH(bool, setupMode);
    QFETCH(bool, closeBox);
    LinkFolder folder;
    folder.state.SetupMode = setupMode;
    F_DL dl(folder.model, folder.state, folder.ui);
    QSignalSpy cancelled(&dl, &F_DL::cancelRequested);
    dl.show();
    if (closeBox)
        dl.close();
    else
        dl.findChild<QPushButton*>("ComCancel")->click();
    QCOMPARE(cancelled.count(), setupMode ? 0 : 1);
    // Outside setup mode the download's end closes the window; in setup mode Cancel
    // hides it and the close box is refused with the setup box.
    QCOMPARE(dl.isVisible(), closeBox || !setupMode);
    QCOMPARE(folder.ui.messages.size(), size_t(setupMode && closeBox ? 1 : 0));
}

void TestDownloadWindows::longInstructionLinesPushTheNextDown()
{
    const SdrInstruction shortTexts{"SDR-33", {"On the instrument select as download option:", "Format: SDR-33",
                                               "Data: Raw"}, "OK"};
    SdrInstruction longTexts = shortTexts;
    longTexts.lines[0] = "On the instrument\nselect as\ndownload option:";
    F_SdrDL a(shortTexts), b(longTexts);
    a.show();
    b.show();
    QCOMPARE(a.windowTitle(), QString("SDR-33"));
    QCOMPARE(b.findChild<QLabel*>("Lb3")->text(), QString("Data: Raw"));
    const auto top = [](const F_SdrDL& box, const char* name) { return TwipsTop(box.findChild<QWidget*>(name)); };
    QCOMPARE(top(a, "Lb1"), 120.0);
    QVERIFY(top(b, "Lb2") > top(a, "Lb2"));
    QVERIFY(top(b, "Lb3") - top(b, "Lb2") == top(a, "Lb3") - top(a, "Lb2"));
    QVERIFY(top(b, "ComOK") > top(b, "Lb3"));
    QVERIFY(b.rect().contains(b.findChild<QWidget*>("ComOK")->geometry()));
    b.findChild<QPushButton*>("ComOK")->click();
    QCOMPARE(b.result(), int(QDialog::Accepted));
}

// A caption from the settings file wider than the box: the box grows, its OK stays
// in the middle.
void TestDownloadWindows::instructionBoxShowsItsWholeTitle()
{
    const SdrInstruction texts{"SDR-33 coordinates from the total station, second series",
                               {"On the instrument select as download option:", "Format: SDR-33", "Data: Raw"},
                               "OK"};
    F_SdrDL box(texts);
    box.show();
    const QString cut = test::TitleCut(&box);
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
    const QRect ok = box.findChild<QWidget*>("ComOK")->geometry();
    QVERIFY(qAbs(ok.center().x() - box.width() / 2) <= 1);
}

QTEST_MAIN(TestDownloadWindows)
#include "tst_DownloadWindows.moc"
