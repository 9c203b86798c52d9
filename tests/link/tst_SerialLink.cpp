// The serial port and its set-up against the simulated instrument: opening with the
// chosen settings, reading, writing with flow control, the busy and the missing port,
// and a device that goes away.
#include "link/PortSetup.h"
#include "link/SerialLink.h"
#include "support/InstrumentSimulator.h"
#include "support/LinkFolder.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrelo;
using tavrelo::test::InstrumentSimulator;
using tavrelo::test::LinkFolder;
using Step = InstrumentSimulator::Step;

class TestSerialLink : public QObject {
    Q_OBJECT
private slots:
    void opensTheLinkedPortAndReadsTheScript();
    void writesEverythingAndDrainsBeforeClosing();
    void xoffHoldsTheWriterAndXonReleasesIt();
    void busyAndMissingPortsAreRefused_data();
    void busyAndMissingPortsAreRefused();
    void hangUpClosesThePortAtTheFirstError();
};

void TestSerialLink::opensTheLinkedPortAndReadsTheScript()
{
    LinkFolder folder;
    QVERIFY(folder.isValid());
    InstrumentSimulator instrument(folder.path());
    QVERIFY2(instrument.isValid(), qPrintable(instrument.errorString()));
    instrument.start({Step::Send(0, "first\r"), Step::Send(200, "second\r")});
    QTest::qWait(300);
    QCOMPARE(instrument.bytesSent(), qint64(0)); // nothing before the port is open

    SerialLink link;
    QVERIFY(OpenPort(link, folder.model, folder.state, folder.ui));
    QVERIFY(folder.state.DialogAnswer.empty());
    QVERIFY(folder.ui.messages.empty());
    QTRY_VERIFY(instrument.portOpen());
    QByteArray received;
    connect(&link, &SerialLink::dataArrived, [&] { received += link.readAll(); });
    QTRY_COMPARE(received, QByteArray("first\rsecond\r"));
    link.close();
    QTRY_VERIFY(!instrument.portOpen());
}

void TestSerialLink::writesEverythingAndDrainsBeforeClosing()
{
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    SerialLink link;
    QVERIFY(OpenPort(link, folder.model, folder.state, folder.ui));
    QByteArray sent;
    for (int i = 0; sent.size() < 200000; ++i)
        sent += QByteArray::number(i) + ",100.000,200.000,3.000\r\n";
    QSignalSpy closed(&link, &SerialLink::closed);
    QVERIFY(link.write(sent));
    link.closeWhenDrained();
    QTRY_COMPARE(closed.count(), 1);
    QTRY_COMPARE(instrument.captured().size(), sent.size());
    QCOMPARE(instrument.captured(), sent);
}

void TestSerialLink::xoffHoldsTheWriterAndXonReleasesIt()
{
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    SerialLink link;
    QVERIFY(OpenPort(link, folder.model, folder.state, folder.ui));
    QTRY_VERIFY(instrument.portOpen());
    instrument.sendXoff();
    QTest::qWait(200);
    QVERIFY(link.write("held line\r\n"));
    QTest::qWait(500);
    QCOMPARE(instrument.captured(), QByteArray());
    instrument.sendXon();
    QTRY_COMPARE(instrument.captured(), QByteArray("held line\r\n"));
}

void TestSerialLink::busyAndMissingPortsAreRefused_data()
{
    QTest::addColumn<bool>("busy");
    QTest::newRow("opened twice") << true;
    QTest::newRow("link to no device") << false;
}

void TestSerialLink::busyAndMissingPortsAreRefused()
{
    QFETCH(bool, busy);
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    SerialLink first;
    if (busy)
        QVERIFY(OpenPort(first, folder.model, folder.state, folder.ui));
    else
        QVERIFY(QFile::remove(instrument.linkPath()) && QFile::link("/dev/no-such-adapter", instrument.linkPath()));

    SerialLink second;
    QVERIFY(!OpenPort(second, folder.model, folder.state, folder.ui));
    QVERIFY(!second.isOpen());
    QCOMPARE(folder.state.DialogAnswer, std::string(busy ? "8005" : "8002"));
    QCOMPARE(folder.ui.messages.size(), size_t(1));
    QCOMPARE(folder.ui.messages[0].text, std::string("The communication port could not be opened."));
    QCOMPARE(folder.ui.messages[0].title, folder.model.message(11));
    QCOMPARE(folder.ui.messages[0].icon, MessageIcon::Critical);
}

void TestSerialLink::hangUpClosesThePortAtTheFirstError()
{
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    instrument.start({Step::Send(0, "partial"), Step::HangUp(200)});
    SerialLink link;
    QSignalSpy failed(&link, &SerialLink::failed);
    connect(&link, &SerialLink::dataArrived, [&] { link.readAll(); });
    QVERIFY(OpenPort(link, folder.model, folder.state, folder.ui));
    QTRY_COMPARE(failed.count(), 1);
    QVERIFY(!link.isOpen());
    QCOMPARE(link.errorNumber(), 68);
    QTest::qWait(200);
    QCOMPARE(failed.count(), 1);
}

QTEST_MAIN(TestSerialLink)
#include "tst_SerialLink.moc"
