// The serial port and its set-up against the simulated instrument: opening with the
// chosen settings, reading, writing with flow control, the busy, the missing and the
// forbidden port and settings no port takes, each said in plain words, and a device
// that goes away.
#include "link/PortSetup.h"
#include "link/SerialLink.h"
#include "support/InstrumentSimulator.h"
#include "support/LinkFolder.h"
#include "support/Unprivileged.h"

#include <QFile>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

#include <climits>
#include <csignal>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

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
    void refusedPortsSayWhy_data();
    void refusedPortsSayWhy();
    void hangUpClosesThePortAtTheFirstError();
    void lockLeftByAKilledRunIsNotInTheWay();
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

namespace {

enum class Cause { Busy, NoDevice, NoPermission, Speed, DataBits };

// The refused open of the port, in a child that is an unprivileged user when
// `unprivileged`: DialogAnswer, "|" and the box's text, or what went wrong.
std::string RefusedOpen(LinkFolder& folder, bool unprivileged)
{
    const auto open = [&folder] {
        SerialLink second;
        if (OpenPort(second, folder.model, folder.state, folder.ui) || second.isOpen())
            return std::string("the port opened");
        if (folder.ui.messages.size() != 1)
            return std::string("not one box");
        const auto& box = folder.ui.messages[0];
        if (box.title != folder.model.message(11) || box.icon != MessageIcon::Critical)
            return std::string("not the critical error box");
        return folder.state.DialogAnswer + "|" + box.text;
    };
    if (!unprivileged)
        return open();
    tavrelo::testing::OpenFolderToEveryone(folder.state.AppPath);
    return tavrelo::testing::RunUnprivileged(open);
}

} // namespace

void TestSerialLink::refusedPortsSayWhy_data()
{
    QTest::addColumn<int>("cause");
    QTest::addColumn<QString>("answer"); // DialogAnswer: the failure's number
    QTest::addColumn<QString>("reason"); // the plain words after the device line
    QTest::addColumn<bool>("system");    // the port's own reason follows in brackets
    QTest::newRow("opened twice") << int(Cause::Busy) << "8005"
                                  << "Another program is using this port. Close that program and try again, "
                                     "or choose another port on the Settings tab."
                                  << true;
    QTest::newRow("link to no device") << int(Cause::NoDevice) << "8002"
                                       << "There is no such device. Is the adapter plugged in?" << true;
    QTest::newRow("device the user may not open")
        << int(Cause::NoPermission) << "8005"
        << "You may not open this device. Add your user to the dialout group (sudo usermod -aG dialout $USER) "
           "and log in again."
        << true;
    QTest::newRow("speed 1e10") << int(Cause::Speed) << "380"
                                << "The speed \"1e10\" chosen on the Settings tab is not a speed a serial port can "
                                   "use. Choose another on the Settings tab, or correct the list in Tavrelo.ini."
                                << false;
    QTest::newRow("data bits 32768")
        << int(Cause::DataBits) << "380"
        << "The number of data bits \"32768\" chosen on the Settings tab is not one a serial port can use (5 to 8). "
           "Choose another on the Settings tab, or correct the list in Tavrelo.ini."
        << false;
}

void TestSerialLink::refusedPortsSayWhy()
{
    QFETCH(int, cause);
    QFETCH(QString, answer);
    QFETCH(QString, reason);
    QFETCH(bool, system);
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    SerialLink first;
    QString device = instrument.slaveName();
    switch (Cause(cause)) {
    case Cause::Busy: QVERIFY(OpenPort(first, folder.model, folder.state, folder.ui)); break;
    case Cause::NoDevice:
        QVERIFY(QFile::remove(instrument.linkPath()) && QFile::link("/dev/no-such-adapter", instrument.linkPath()));
        device = "/dev/no-such-adapter";
        break;
    case Cause::NoPermission: QVERIFY(QFile::setPermissions(device, {})); break;
    case Cause::Speed: folder.model.SpeedList[size_t(folder.model.settings.Speed)] = "1e10"; break;
    case Cause::DataBits: folder.model.DataBitsList[size_t(folder.model.settings.DataBits)] = "32768"; break;
    }

    const QString refused = QString::fromStdString(RefusedOpen(folder, Cause(cause) == Cause::NoPermission));
    QFile::setPermissions(instrument.slaveName(), QFile::ReadOwner | QFile::WriteOwner | QFile::WriteGroup);
    QVERIFY2(refused.contains('|'), qPrintable(refused));
    QCOMPARE(refused.section('|', 0, 0), answer);
    const QStringList lines = refused.section('|', 1).split("\r\n");
    QCOMPARE(lines.value(0), QString("The communication port could not be opened."));
    QCOMPARE(lines.value(1), "Device: " + device + " (through the link COM1 in the program folder)");
    QCOMPARE(lines.value(2), reason);
    QCOMPARE(lines.size(), system ? 4 : 3);
    if (system)
        QVERIFY2(lines[3].startsWith('(') && lines[3].endsWith(')') && lines[3].size() > 2, qPrintable(lines[3]));
    QTRY_COMPARE(instrument.openCount(), Cause(cause) == Cause::Busy ? 1 : 0); // only the other program's
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

// A run killed while it held a pseudo-terminal leaves Qt's lock file for the
// terminal's name, root's when the suite ran as root. The next terminal the system
// makes most likely gets that name again; a later run, also one as an unprivileged
// user who may not remove root's file, still opens its port.
void TestSerialLink::lockLeftByAKilledRunIsNotInTheWay()
{
    int master = -1;
    int slave = -1;
    char name[PATH_MAX] = {};
    QCOMPARE(openpty(&master, &slave, name, nullptr, nullptr), 0);
    const QString device = QString::fromLocal8Bit(name);
    const QString lock = "/var/lock/LCK.." + device.mid(5).replace('/', '_');
    const pid_t killed = ::fork();
    if (killed == 0) {
        QSerialPort port(device);
        if (port.open(QIODevice::ReadWrite))
            ::raise(SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(killed, &status, 0);
    ::close(master);
    ::close(slave);
    if (!WIFSIGNALED(status) || !QFile::exists(lock))
        QSKIP("Qt left no lock file in /var/lock here");

    LinkFolder folder;
    tavrelo::testing::OpenFolderToEveryone(folder.state.AppPath);
    const std::string answer = tavrelo::testing::RunUnprivileged([&folder] {
        InstrumentSimulator instrument(folder.path());
        if (!instrument.isValid())
            return instrument.errorString().toStdString();
        SerialLink link;
        if (!OpenPort(link, folder.model, folder.state, folder.ui))
            return instrument.slaveName().toStdString() + ": " + folder.ui.messages.back().text;
        return std::string();
    });
    QFile::remove(lock);
    QVERIFY2(answer.empty(), answer.c_str());
}

QTEST_MAIN(TestSerialLink)
#include "tst_SerialLink.moc"
