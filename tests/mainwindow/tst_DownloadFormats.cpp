// Downloads from the simulated instrument into each kind of target: raw data converted
// to KOF after its dialog, a coordinate list in the user's field order, "Other" stored
// as received, and an SDR-33 coordinate download after its instruction box; and raw
// data appended to a file whose last line has no line end.
#include "helper_Download.h"

using namespace tavrelo;
using namespace tavrelo::test;

class DownloadFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void receivedDataReachesEachKindOfTarget_data();
    void receivedDataReachesEachKindOfTarget();
    void appendedDataStartsOnALineOfItsOwn();
};

void DownloadFormatsTest::receivedDataReachesEachKindOfTarget_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("dialog");    // modal window that comes up, answered OK
    QTest::addColumn<QString>("converter"); // "" stored as received
    QTest::addColumn<QString>("format");    // what the download window shows
    QTest::newRow("raw data to KOF") << 0 << 1 << "survey.raw" << "F_KOFStp" << "ConvertRawToKOF"
                                     << "KOF raw data file";
    QTest::newRow("coordinates to a coordinate list")
        << 1 << 0 << "points.asc" << "" << "ConvertCoorToUserCoor" << "Coordinate file";
    QTest::newRow("Other") << 2 << 0 << "survey.raw" << "" << "" << "Other";
    QTest::newRow("SDR-33 coordinates") << 1 << 4 << "points.asc" << "F_SdrDL" << "" << "SDR-33 coordinate file";
}

void DownloadFormatsTest::receivedDataReachesEachKindOfTarget()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, fixture);
    QFETCH(QString, dialog);
    QFETCH(QString, converter);
    QFETCH(QString, format);
    DownloadDriver r;
    const QByteArray sent = ReadBytes(r.copyFixture(fixture.toLatin1()));
    const std::string target = r.path("job.out");
    r.choose(false, kind, position);
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({Step::Send(200, sent)});
    ModalAnswerer answers(&r.session);
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    r.download();

    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected"), QStringList());
    QCOMPARE(r.formatText, format);
    QCOMPARE(r.lastMessage()->title, std::string("Complete"));
    if (converter.isEmpty()) {
        QCOMPARE(ReadBytes(target), sent);
    } else {
        const QByteArray written = ReadBytes(target);
        QVERIFY(!written.isEmpty());
        QCOMPARE(written, r.direct(converter.toLatin1(), r.tempFile()));
    }
    QVERIFY(r.viewEnabled());
    QTRY_VERIFY(!r.instrument.portOpen());
}

// The file an earlier download cut short left (or one of another program): Append
// starts the received data on a line of its own, in the file's own line end; the
// first received line is no part of the old point's height, and the old record cut
// short becomes a comment that keeps every byte of it, as the box says.
void DownloadFormatsTest::appendedDataStartsOnALineOfItsOwn()
{
    DownloadDriver r;
    const std::string target = r.path("job.raw");
    const QByteArray old = "CO,Zarel RAW data\nSS,P2,1.500,50.000,100.0";
    WriteBytes(target, old);
    const QByteArray sent = "CO,Zarel RAW data format V2.00\r\nSS,P3,1.500,51.000,100.0\r\n";
    r.choose(false, 0, 0);
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({Step::Send(200, sent)});
    ModalAnswerer answers(&r.session);
    answers.expect("F_Msg", "ComAppend");
    r.download();

    QVERIFY(answers.done());
    QCOMPARE(r.lastMessage()->text,
             r.session->model.message(19) + "\r\nThe last line of " + target +
                 " (\"SS,P2,1.500,50.000,100.0\") had no line end, as when a transfer ends early. It is a record cut"
                 " short: so that no conversion reads it as a whole one, it is now the comment line 2"
                 " (\"CO,Cut short: SS,P2,1.500,50.000,100.0\"), and the received data follows it.");
    QCOMPARE(ReadBytes(target), "CO,Zarel RAW data\nCO,Cut short: SS,P2,1.500,50.000,100.0\n" + sent);
    QVERIFY(r.viewEnabled());
}

QTEST_MAIN(DownloadFormatsTest)
#include "tst_DownloadFormats.moc"
