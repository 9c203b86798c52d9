// The receive loop against the simulated instrument without any window: a dropped
// byte counts as activity and holds off the end, the end comes only after more than
// 3 seconds of silence, and a port that failed before the loop began is an error
// rather than an endless wait.
#include "link/DownloadSession.h"
#include "link/PortSetup.h"
#include "link/SerialLink.h"
#include "platform/ByteSink.h"
#include "support/InstrumentSimulator.h"
#include "support/LinkFolder.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrelo;
using tavrelo::test::InstrumentSimulator;
using tavrelo::test::LinkFolder;
using Step = InstrumentSimulator::Step;

class TestDownloadSession : public QObject {
    Q_OBJECT
private slots:
    void droppedBytesHoldOffTheEnd();
    void portFailedBeforeTheStartIsAnError();
};

void TestDownloadSession::droppedBytesHoldOffTheEnd()
{
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    SerialLink port;
    QVERIFY(OpenPort(port, folder.model, folder.state, folder.ui));
    StringSink file;
    DownloadSession session(port, file);
    QSignalSpy finished(&session, &DownloadSession::finished);
    instrument.start({Step::Send(0, "A\r"), Step::Send(2600, QByteArray(1, '\0')), Step::Send(2600, "B\r")});
    session.start();
    QTRY_VERIFY_WITH_TIMEOUT(instrument.scriptDone(), 15000);
    QElapsedTimer quiet;
    quiet.start();
    QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 10000);
    QVERIFY2(quiet.elapsed() >= DownloadSession::kSilenceMs - 200, qPrintable(QString::number(quiet.elapsed())));
    QCOMPARE(session.outcome(), DownloadOutcome::Complete);
    QCOMPARE(QByteArray::fromStdString(file.bytes()), QByteArray("A\r\nB\r\n"));
    QVERIFY(!port.isOpen());
}

void TestDownloadSession::portFailedBeforeTheStartIsAnError()
{
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    SerialLink port;
    QVERIFY(OpenPort(port, folder.model, folder.state, folder.ui));
    instrument.hangUp();
    QTRY_VERIFY(!port.isOpen());
    StringSink file;
    DownloadSession session(port, file);
    QSignalSpy finished(&session, &DownloadSession::finished);
    session.start();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(session.outcome(), DownloadOutcome::Failed);
    QCOMPARE(session.errorNumber(), 68);
    QVERIFY(session.errorString().startsWith("Device unavailable"));
}

QTEST_MAIN(TestDownloadSession)
#include "tst_DownloadSession.moc"
