// The byte count of the download window as the user sees it, through the real window
// and receive loop against the simulated instrument: painted with the count of what
// has come while the instrument pauses, never going back, and painted with the exact
// count of the whole download before the window goes. (How fast the window keeps up
// is measured by tavrelo-bench download-window, not here.)
#include "link/F_DL.h"
#include "link/InstrumentDownload.h"
#include "link/core/DownloadReceiver.h"
#include "support/InstrumentSimulator.h"
#include "support/LinkFolder.h"
#include "support/PaintRecorder.h"

#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>

using namespace tavrelo;
using tavrelo::test::InstrumentSimulator;
using tavrelo::test::LinkFolder;
using tavrelo::test::PaintRecorder;
using Step = InstrumentSimulator::Step;

namespace {

QString CountText(qint64 bytes)
{
    return QString::fromStdString(ByteCountText(bytes));
}

// Characters kept: the line ends are not counted.
qint64 Kept(const QByteArray& lines)
{
    return lines.size() - 2 * lines.count("\r\n");
}

qint64 CountOf(const QString& text)
{
    return text.mid(CountText(0).size() - 1).toLongLong();
}

} // namespace

class TestDownloadByteCount : public QObject {
    Q_OBJECT
private slots:
    void paintedWhileItRunsAndExactAtTheEnd();
    void exactUnderTheBoxOfALineTooLong();
};

// Comment lines do not start the data, so no silence can end the download while the
// test waits for their count to be painted; the next part is sent only once it has
// been. The data that follows is large enough to take many reads.
void TestDownloadByteCount::paintedWhileItRunsAndExactAtTheEnd()
{
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    QVERIFY(folder.isValid() && instrument.isValid());
    const QByteArray firstComments = "CO,Zarel RAW data\r\nCO,job 12\r\n";
    const QByteArray moreComments = "CO,operator JK\r\nCO,instrument 4\r\n";
    QByteArray data;
    for (int i = 0; data.size() < 2 * 1024 * 1024; ++i)
        data += "SS,P" + QByteArray::number(i) + ",1.500,123.4560,98.7650,1000.123,CODE\r\n";
    const QByteArray all = firstComments + moreComments + data;

    InstrumentDownload download(folder.model, folder.state, folder.ui);
    QVERIFY(download.OpenPortDL());
    QLabel* count = download.window().findChild<QLabel*>("LbRAWdata");
    PaintRecorder painted(count, [count] { return count->text(); });
    bool firstShown = false;
    bool moreShown = false;
    const auto paintedCount = [&painted](qint64 bytes) {
        return QTest::qWaitFor([&] { return painted.shown.contains(CountText(bytes)); }, 10000);
    };
    QTimer::singleShot(0, [&] {
        instrument.start({Step::Send(0, firstComments)});
        firstShown = paintedCount(Kept(firstComments));
        instrument.start({Step::Send(0, moreComments)});
        moreShown = paintedCount(Kept(firstComments + moreComments));
        instrument.start({Step::Send(0, data)});
    });
    QVERIFY(download.ReceiveData(nullptr, folder.file("Pemdrix.tem"), "Zarel RAW data"));

    QVERIFY2(firstShown && moreShown, qPrintable(painted.shown.join(" | ")));
    QCOMPARE(painted.shown.last(), CountText(Kept(all)));
    QStringList counts = painted.shown.filter(CountText(0).left(6));
    QVERIFY(std::is_sorted(counts.begin(), counts.end(),
                           [](const QString& a, const QString& b) { return CountOf(a) < CountOf(b); }));
    QFile file(QString::fromStdString(folder.file("Pemdrix.tem")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), all);
}

namespace {

// Looks at the download window when its box comes up.
struct BoxWatcher : RecordingInteraction {
    std::function<void()> atBox;
    MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title) override
    {
        if (atBox)
            atBox();
        return RecordingInteraction::message(text, buttons, icon, title);
    }
};

} // namespace

// Data without a CR ends the download at the line limit, in the middle of a read: the
// window shows the count of every byte kept under the box that says so, not the count
// of the read before.
void TestDownloadByteCount::exactUnderTheBoxOfALineTooLong()
{
    LinkFolder folder;
    InstrumentSimulator instrument(folder.path());
    BoxWatcher ui;
    InstrumentDownload download(folder.model, folder.state, ui);
    QVERIFY(download.OpenPortDL());
    QString underTheBox;
    ui.atBox = [&] { underTheBox = download.window().findChild<QLabel*>("LbRAWdata")->text(); };
    instrument.start({Step::Send(0, QByteArray(6000, 'U')), Step::Send(300, QByteArray(30000, 'e'))});
    QVERIFY(!download.ReceiveData(nullptr, folder.file("Pemdrix.tem"), "Zarel RAW data"));
    QFile file(QString::fromStdString(folder.file("Pemdrix.tem")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 10000);
    QCOMPARE(underTheBox, CountText(file.size()));
}

QTEST_MAIN(TestDownloadByteCount)
#include "tst_DownloadByteCount.moc"
