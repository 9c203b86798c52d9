// Ten megabytes from the instrument as fast as the pseudo-terminal carries them: every
// kept byte (letters from 128 to 255 among them) reaches the target, every byte 0 is
// left out, nothing is lost.
#include "helper_Download.h"

using namespace tavrelo;
using namespace tavrelo::test;

class DownloadLargeTest : public QObject {
    Q_OBJECT
private slots:
    void tenMegabytesAtFullSpeed();
};

void DownloadLargeTest::tenMegabytesAtFullSpeed()
{
    QByteArray sent;
    QByteArray kept;
    sent.reserve(10 * 1024 * 1024 + 100);
    for (int i = 0; sent.size() < 10 * 1024 * 1024; ++i) {
        const QByteArray line = "SS,P" + QByteArray::number(i) + ",1.500,123.4560,98.7650,"
                                + QByteArray::number(1000 + i % 997) + ".123,CODE";
        sent += line;
        kept += line;
        if (i % 101 == 0) {
            sent += QByteArray("\0\xc6\0\xfe", 4); // the bytes 0 dropped on the way, the letters kept
            kept += "\xc6\xfe";
        }
        sent += "\r\n";
        kept += "\r\n";
    }
    DownloadDriver r;
    const std::string target = r.path("big.raw");
    r.choose(false, 2, 0);
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({Step::Send(100, sent)});
    r.download();

    QCOMPARE(r.lastMessage()->title, std::string("Complete"));
    const QByteArray written = ReadBytes(target);
    QCOMPARE(written.size(), kept.size());
    QVERIFY(written == kept);
    QCOMPARE(r.instrument.bytesSent(), qint64(sent.size()));
}

QTEST_MAIN(DownloadLargeTest)
#include "tst_DownloadLarge.moc"
