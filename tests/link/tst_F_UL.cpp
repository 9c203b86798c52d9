// The upload window against the simulated instrument: every send format built and
// sent line by line, the bytes the instrument receives compared with the expected
// lines, the lines left out (a last point cut short among them) told in the end
// message and no tab among those sent; the progress bar painted on its way up and full
// at the end; XOFF holding the sender and XON releasing it with nothing lost; Cancel
// and a hang-up during a send are failures, and after Cancel at most the line in hand
// goes out; setup mode only hides the window.
#include "link/F_UL.h"
#include "link/PortSetup.h"
#include "platform/ByteSink.h"
#include "support/InstrumentSimulator.h"
#include "support/LinkFolder.h"
#include "support/PaintRecorder.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace tavrelo;
using tavrelo::test::InstrumentSimulator;
using tavrelo::test::LinkFolder;

namespace {

QByteArray CrLf(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + "\r\n";
    return out;
}

// A program folder, the instrument on COM1 and an upload window with its port open.
struct UploadRig {
    LinkFolder folder;
    std::unique_ptr<InstrumentSimulator> instrument;
    std::unique_ptr<F_UL> window;

    explicit UploadRig(const QByteArray& input, const char* request = "Comma")
    {
        instrument = std::make_unique<InstrumentSimulator>(folder.path());
        WriteFileAtomically(folder.file("input.txt"), input.toStdString());
        window = std::make_unique<F_UL>(folder.model, folder.state, folder.ui);
        UploadJob job;
        job.inputPath = folder.file("input.txt");
        job.tempPath = folder.file("Pemdrix.tem");
        job.texts = ChosenTransferTexts(folder.model, "Coordinate file");
        window->prepare(job);
        folder.state.TransferStatus = request;
    }
    bool openPort() { return OpenPort(window->link(), folder.model, folder.state, folder.ui); }
    void show() { window->open(); }
    // The port opened, the instrument holding it with XOFF, and Send pressed: the
    // first line waits with the sender (Send offers it before it returns).
    bool sendHeldByXoff()
    {
        if (!openPort() || !QTest::qWaitFor([this] { return instrument->portOpen(); }, 5000))
            return false;
        if (!holdByXoff())
            return false;
        show();
        button("ComSend")->click();
        return true;
    }
    // XOFF sent, and taken by the terminal: the program's output stands still.
    bool holdByXoff()
    {
        instrument->sendXoff();
        return QTest::qWaitFor([this] { return instrument->outputHeld(); }, 10000);
    }
    QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(name); }
    const std::string& status() const { return folder.state.TransferStatus; }
};

qsizetype LinesIn(const QByteArray& bytes)
{
    return bytes.count("\r\n");
}

QByteArray NumberedList(int lines)
{
    QByteArray input;
    for (int i = 1; i <= lines; ++i)
        input += "P" + QByteArray::number(i) + ",6500" + QByteArray::number(i) + ".123,600100.456,12.5,KUM\r\n";
    return input;
}

} // namespace

class TestUploadWindow : public QObject {
    Q_OBJECT
private slots:
    void showsTheSettingsAndWaitsForSend();
    void eachFormatArrivesAsItsLines_data();
    void eachFormatArrivesAsItsLines();
    void progressBarMovesAndEndsFull();
    void xoffHoldsTheUploadAndXonReleasesIt();
    void cancelDuringASendIsAFailure();
    void cancelStopsAtTheLine();
    void hangUpDuringASendIsAFailure();
    void closeBoxBeforeSendKeepsTheRequest();
    void nothingToSendClosesWithoutSending();
    void setupModeOnlyHides();
};

void TestUploadWindow::showsTheSettingsAndWaitsForSend()
{
    UploadRig rig(CrLf({"P1,1,2,3"}));
    rig.show();
    QCOMPARE(rig.window->windowTitle(), QString("Send data"));
    QCOMPARE(rig.window->findChild<QLabel*>("LbBaundRate1")->text(), QString("19200"));
    QCOMPARE(rig.window->findChild<QLabel*>("LbDataBits1")->text(), QString("8"));
    QCOMPARE(rig.window->findChild<QLabel*>("LbParity1")->text(), QString("None"));
    QCOMPARE(rig.window->findChild<QLabel*>("LbFlowControl1")->text(), QString("Xon/Xoff"));
    QCOMPARE(rig.window->findChild<QLabel*>("LbDataformat")->text(), QString("Coordinate file"));
    QVERIFY(rig.window->findChild<QLabel*>("LbRAWdata")->isVisible());
    QVERIFY(!rig.window->PrBar()->isVisible());
    QCOMPARE(rig.button("ComSend")->text(), QString("&Send"));
}

void TestUploadWindow::eachFormatArrivesAsItsLines_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("progressMaximum");
    QTest::addColumn<QString>("told"); // after the success, what was left out
    QTest::newRow("comma list") << QByteArray("Comma") << CrLf({"P1,100.5,200.25,5,TREE", "", "P2,1,2,3"})
                                << CrLf({"P1,100.5,200.25,5,TREE", "P2,1,2,3,"}) << 4 << QString();
    QTest::newRow("blank list") << QByteArray("Space") << CrLf({"P1 100,5 200 5 TREE"})
                                << CrLf({"P1,100.5,200,5,TREE"}) << 3 << QString();
    QTest::newRow("code list") << QByteArray("UpLoadZVK") << CrLf({"DEFAULT", "{", "", "TREE", "}"})
                               << CrLf({"DEFAULT", "{", "TREE", "}"}) << 5 << QString();
    QTest::newRow("two-line code list") << QByteArray("UpLoadZVK") << CrLf({"TREE", "ROAD"})
                                        << CrLf({"TREE", "ROAD"}) << 2 << QString();
    QTest::newRow("KOF") << QByteArray("UpLoadKOF")
                         << CrLf({" 00 Job", " 05 P100       TREE     6500100.123  600200.456    12.345"})
                         << CrLf({"P100,600200.456,6500100.123,12.345,TREE"}) << 3 << QString();
    QTest::newRow("KOF blank column") << QByteArray("UpLoadKOF")
                                      << CrLf({" 05 P100       TREE                  600200.456    12.345"})
                                      << CrLf({"P100,600200.456,0.000,12.345,TREE"}) << 3 << QString();
    // Lines that cannot go as their five fields stay with the program; no tab goes out.
    const QString fields = "1 line(s) were left out because they hold more than the five fields of a point (a value"
                           " or a code split by a blank, for example); the first is line 3.";
    QTest::newRow("tab-separated list sent as blank-separated")
        << QByteArray("Space")
        << CrLf({"P1\t6500100.5\t600200.25\t12.5\tKUM", "P2\t\t600200\t12\tKUM", "P3 100 ,5 200 5 C"})
        << CrLf({"P1,6500100.5,600200.25,12.5,KUM"}) << 3
        << fields + "\r\n1 line(s) were left out because an empty field stands between two tabs (or before the"
                    " first), and the fields after it would move; the first is line 2.";
    QTest::newRow("comma list with tabs")
        << QByteArray("Comma") << CrLf({"P1\t,6500100.5,600200.25,12.5,\tKUM", "P2\tX,1,2,3,C", "P3,100 ,5,200,5,C"})
        << CrLf({"P1,6500100.5,600200.25,12.5,KUM"}) << 3
        << fields + "\r\n1 line(s) were left out because a point name or a code holds a tab; the first is line 2.";
    QTest::newRow("KOF value with a blank inside")
        << QByteArray("UpLoadKOF")
        << CrLf({" 05 P1         TREE     6500100.5        100 ,5    12.5",
                 " 05 P2         TREE     6500100.5     600200.25    12.5"})
        << CrLf({"P2,600200.25,6500100.5,12.5,TREE"}) << 3
        << QString("1 line(s) were left out because a coordinate holds a blank or a tab inside it (such as \"100 ,5\"),"
                   " which makes it no number; the first is line 1.");
    // A last point that came only in part (a transfer that ended early) is no point to
    // send: read whole, it would go 594 km west, or with a code cut short.
    const QString cut = "1 record(s) were left out because they are cut short: the last one, at line 2, has no line"
                        " end (as when a transfer ends early).";
    QTest::newRow("comma list cut inside its last easting")
        << QByteArray("Comma") << CrLf({"P1,100.5,200.25,5,TREE"}) + "P7,6500105.500,6002"
        << CrLf({"P1,100.5,200.25,5,TREE"}) << 3 << cut;
    QTest::newRow("blank list cut inside its last code")
        << QByteArray("Space") << CrLf({"P1 100.5 200.25 5 TREE"}) + "P7 6500105.500 600210.000 12.3 PO"
        << CrLf({"P1,100.5,200.25,5,TREE"}) << 3 << cut;
    QTest::newRow("KOF cut inside its last easting")
        << QByteArray("UpLoadKOF")
        << CrLf({" 05 P100       TREE     6500100.123  600200.456    12.345"}) + " 05 P7         POLE        6002"
        << CrLf({"P100,600200.456,6500100.123,12.345,TREE"}) << 3 << cut;
    QTest::newRow("comma list with a point an append marked cut short")
        << QByteArray("Comma") << CrLf({"CO,Cut short: P7,6500105.500,6002", "P1,100.5,200.25,5,TREE"})
        << CrLf({"P1,100.5,200.25,5,TREE"}) << 3
        << QString("1 record(s) marked \"Cut short:\" were left out, the first at line 1: each was the last line of"
                   " the file, cut off, when more data was appended after it.");
}

void TestUploadWindow::eachFormatArrivesAsItsLines()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QFETCH(int, progressMaximum);
    QFETCH(QString, told);
    UploadRig rig(input, request.constData());
    QVERIFY(rig.openPort());
    rig.show();
    rig.button("ComSend")->click();
    QTRY_VERIFY(!rig.window->isVisible());
    QCOMPARE(rig.status(), std::string("UpOK"));
    QCOMPARE(rig.window->PrBar()->maximum(), progressMaximum);
    QTRY_COMPARE(rig.instrument->captured(), expected);
    QVERIFY(!rig.instrument->captured().contains('\t'));
    QCOMPARE(rig.folder.ui.messages.size(), size_t(1));
    const QString success = "The data was uploaded successfully.";
    QCOMPARE(QString::fromStdString(rig.folder.ui.messages[0].text), told.isEmpty() ? success : success + "\r\n" + told);
    QCOMPARE(rig.folder.ui.messages[0].title, std::string("Finished"));
}

// What the bar showed at each of its paints: values between empty and full while the
// lines go out, never going back, and the full bar when every line has been sent
// (its maximum counts the list's two header lines too).
void TestUploadWindow::progressBarMovesAndEndsFull()
{
    const QByteArray input = NumberedList(20000);
    UploadRig rig(input);
    QVERIFY(rig.openPort());
    rig.show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QProgressBar* bar = rig.window->PrBar();
    tavrelo::test::PaintRecorder painted(bar, [bar] { return QString::number(bar->value()); });
    rig.button("ComSend")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.window->isVisible(), 20000);
    QCOMPARE(rig.status(), std::string("UpOK"));
    QCOMPARE(bar->maximum(), 20002);

    std::vector<int> values;
    for (const QString& shown : painted.shown)
        values.push_back(shown.toInt());
    QVERIFY(!values.empty());
    QCOMPARE(values.back(), 20002);
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    const auto between = std::count_if(values.begin(), values.end(), [](int v) { return v > 0 && v < 20000; });
    QVERIFY2(between >= 2, qPrintable(painted.shown.join(" ")));
    QTRY_COMPARE(rig.instrument->captured(), input);
}

void TestUploadWindow::xoffHoldsTheUploadAndXonReleasesIt()
{
    const QByteArray input = NumberedList(2000);
    UploadRig rig(input);
    QVERIFY(rig.sendHeldByXoff());
    QTest::qWait(300);
    QVERIFY(rig.window->isVisible());
    QCOMPARE(rig.instrument->captured(), QByteArray());
    QVERIFY(rig.window->PrBar()->value() <= 1);

    rig.instrument->sendXon();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.window->isVisible(), 20000);
    QCOMPARE(rig.status(), std::string("UpOK"));
    QCOMPARE(rig.window->PrBar()->value(), rig.window->PrBar()->maximum());
    QTRY_COMPARE(rig.instrument->captured(), input);
}

void TestUploadWindow::cancelDuringASendIsAFailure()
{
    const QByteArray input = NumberedList(20000);
    UploadRig rig(input);
    QVERIFY(rig.openPort());
    rig.show();
    rig.button("ComSend")->click();
    QTRY_VERIFY(rig.window->PrBar()->value() >= 10);
    rig.button("ComCancel")->click();
    QTRY_VERIFY(!rig.window->isVisible()); // once a line the device took in part is whole
    QCOMPARE(rig.status(), std::string("Esc"));
    QVERIFY(rig.folder.state.AbortFlag);
    QVERIFY(rig.folder.ui.messages.empty());
    QTest::qWait(300);
    const QByteArray captured = rig.instrument->captured();
    QVERIFY(captured.size() < input.size());
    QVERIFY(input.startsWith(captured)); // nothing out of order, nothing after the cancel
    QVERIFY(captured.endsWith("\r\n"));

    // Cancel while XOFF holds a line in the port: the held data makes it a failure too.
    UploadRig held(input);
    QVERIFY(held.sendHeldByXoff());
    held.button("ComCancel")->click();
    QCOMPARE(held.status(), std::string("Esc"));
}

// Cancel while XOFF holds the instrument, at the start of a send and in its middle:
// the port stays open with what it holds, and once XON comes at most the line it had
// in hand goes out after the Cancel, whole. The bar shows the lines the instrument
// has. What the instrument has is read once the program has handed its bytes over
// (its event loop stands while the test reads), so no load of the machine can make
// a byte still on its way look like one that never came.
void TestUploadWindow::cancelStopsAtTheLine()
{
    const QByteArray input = NumberedList(20000);
    for (const bool atStart : {true, false}) {
        UploadRig rig(input);
        if (atStart) {
            QVERIFY(rig.sendHeldByXoff());
        } else {
            QVERIFY(rig.openPort());
            rig.show();
            rig.button("ComSend")->click();
            QTRY_VERIFY(rig.window->PrBar()->value() >= 100);
            QVERIFY(rig.holdByXoff());
        }
        const QByteArray before = rig.instrument->receivedSoFar();
        if (atStart)
            QCOMPARE(before, QByteArray());
        QVERIFY(rig.window->isVisible());
        QCOMPARE(rig.window->PrBar()->value(), LinesIn(before));

        rig.button("ComCancel")->click();
        rig.instrument->sendXon();
        QTRY_VERIFY(!rig.window->isVisible()); // the line in hand handed over whole
        QCOMPARE(rig.status(), std::string("Esc"));
        QVERIFY(rig.folder.ui.messages.empty());
        const QByteArray after = rig.instrument->receivedSoFar();
        QVERIFY2(LinesIn(after) - LinesIn(before) <= 1,
                 qPrintable(QString("%1 lines after Cancel").arg(LinesIn(after) - LinesIn(before))));
        QVERIFY(input.startsWith(after));
        QVERIFY(after.endsWith("\r\n") || after.isEmpty());
    }
}

void TestUploadWindow::hangUpDuringASendIsAFailure()
{
    UploadRig rig(NumberedList(2000));
    QVERIFY(rig.sendHeldByXoff());
    rig.instrument->hangUp();
    QTRY_VERIFY(!rig.window->isVisible());
    QCOMPARE(rig.status(), std::string("Comma"));
    QVERIFY(!rig.window->link().isOpen());
    QCOMPARE(rig.folder.ui.messages.size(), size_t(1));
    QCOMPARE(rig.folder.ui.messages[0].title, std::string("Error"));
    QVERIFY(rig.folder.ui.messages[0].text.rfind("Data transmission interrupted", 0) == 0);
}

void TestUploadWindow::closeBoxBeforeSendKeepsTheRequest()
{
    UploadRig rig(CrLf({"P1,1,2,3"}));
    QVERIFY(rig.openPort());
    rig.show();
    QVERIFY(rig.window->close());
    QCOMPARE(rig.status(), std::string("Comma"));
    QVERIFY(rig.folder.state.AbortFlag);
    QTest::qWait(200);
    QCOMPARE(rig.instrument->captured(), QByteArray());

    UploadRig cancelled(CrLf({"P1,1,2,3"}));
    cancelled.show();
    cancelled.button("ComCancel")->click();
    QCOMPARE(cancelled.status(), std::string("Esc"));
    QCOMPARE(cancelled.folder.state.DialogAnswer, std::string("End"));
}

void TestUploadWindow::nothingToSendClosesWithoutSending()
{
    for (const char* request : {"Comma", "UpLoadKOF", "UpLoadZVK"}) {
        UploadRig rig(CrLf({"", "  "}), request);
        QVERIFY(rig.openPort());
        rig.show();
        rig.button("ComSend")->click();
        QTRY_VERIFY(!rig.window->isVisible());
        QCOMPARE(rig.status(), std::string(request));
        QVERIFY(rig.folder.ui.messages.empty());
        QTest::qWait(100);
        QCOMPARE(rig.instrument->captured(), QByteArray());
    }
}

void TestUploadWindow::setupModeOnlyHides()
{
    UploadRig rig(CrLf({"P1,1,2,3"}));
    rig.folder.state.SetupMode = true;
    rig.show();
    QVERIFY(!rig.window->close());
    QVERIFY(rig.window->isVisible());
    QCOMPARE(rig.folder.ui.messages.size(), size_t(1));
    QCOMPARE(rig.folder.ui.messages[0].title, std::string("Setup"));
    QCOMPARE(rig.folder.ui.messages[0].text,
             std::string("The program is in setup mode.\r\nPress <Cancel> or <Send> button"));
    QCOMPARE(rig.folder.ui.messages[0].icon, MessageIcon::Information);

    rig.button("ComSend")->click();
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.status(), std::string("Comma"));
    rig.show();
    rig.button("ComCancel")->click();
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.status(), std::string("Comma"));
    QCOMPARE(rig.instrument->captured(), QByteArray());
}

QTEST_MAIN(TestUploadWindow)
#include "tst_F_UL.moc"
