// A download from the simulated instrument through the real windows: comment lines
// and a pause before the data, a pause under 3 seconds inside it, the end after more
// than 3 seconds of silence, the wire rules on the way into the file, the byte count
// shown while it runs; and an instrument that goes away in the middle.
#include "helper_Download.h"

#include <QFile>

using namespace tavrelo;
using namespace tavrelo::test;

class DownloadReceiveTest : public QObject {
    Q_OBJECT
private slots:
    void storedAsReceivedAfterPausesAndCommentLines();
    void hangUpIsAnErrorAndKeepsTheReceivedLines();
};

// Raw data stored as received. A pause of 3.4 s after the comment lines does not end
// the download (the data has not started); 2.6 s inside the data does not either;
// 3.6 s after the last characters does, and what comes after it is not taken. The
// characters after the last CR are kept without a line end, and the box says so;
// bytes 128 to 255 are letters kept like any other, a byte 0 is left out and told.
void DownloadReceiveTest::storedAsReceivedAfterPausesAndCommentLines()
{
    DownloadDriver r;
    const std::string target = r.path("job.raw");
    r.choose(false, 0, 0); // raw data, "Zarel RAW data format V2.00": stored as received
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({
        Step::Send(300, "CO,Zarel RAW data\r\nCO,job 12\r\n"),
        Step::Send(3400, QByteArray("ST,0012,,B1\r\nSS,P1,1.5,") + '\0' + "12\r\n"),
        Step::Send(2600, QByteArray("F1,B1,") + '\x80' + '\xff' + "1.5\n\r\r\nSS,P2"),
        Step::Send(300, ",2.0\r\nunfinished"),
        Step::Send(3600, "LATE\r\n"),
    });
    r.download();

    const QByteArray expected = "CO,Zarel RAW data\r\nCO,job 12\r\nST,0012,,B1\r\nSS,P1,1.5,12\r\n"
                                "F1,B1,\x80\xff" "1.5\r\n\r\nSS,P2,2.0\r\nunfinished";
    QCOMPARE(ReadBytes(target), expected);
    QVERIFY(r.lastMessage());
    QCOMPARE(r.lastMessage()->title, std::string("Complete"));
    QCOMPARE(r.lastMessage()->text,
             "Data transmission successfully completed.\r\nThe last line (\"unfinished\") came without its line "
             "end: the transfer may have ended early. It is kept as it came, without a line end, in " + target +
                 ".\r\n1 byte(s) with the value 0 were left out: they are no characters of the data.");
    QCOMPARE(r.lastMessage()->icon, MessageIcon::None);
    QVERIFY(r.viewEnabled());

    // The byte count moved line by line and the main window waited.
    QCOMPARE(r.statusTexts.first(), QString("start sending data now"));
    QVERIFY(r.statusTexts.contains("Bytes:   26"));
    QCOMPARE(r.statusTexts.last(), QString("Bytes:   " + QString::number(expected.size() - 7 * 2)));
    QVERIFY(!r.mainEnabledDuringDownload);
    QVERIFY(r.session->mainWindow->isEnabled());
    QVERIFY(!DownloadWindow());
    QTRY_VERIFY(!r.instrument.portOpen());
}

// The cable pulled after two lines and a piece of the third: an error, never
// "completed"; nothing converted or stored, all that came in the temporary file, the
// port closed, the window gone.
void DownloadReceiveTest::hangUpIsAnErrorAndKeepsTheReceivedLines()
{
    DownloadDriver r;
    const std::string target = r.path("job.kof");
    r.choose(false, 0, 1); // raw data to KOF: no dialog comes, since nothing is converted
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({Step::Send(0, "ST,0012\r\nSS,P1\r\nSS,P"), Step::HangUp(500)});
    ModalAnswerer answers(&r.session);
    r.download();

    QCOMPARE(answers.answered, QStringList());
    QVERIFY(!QFile::exists(QString::fromStdString(target)));
    QCOMPARE(ReadBytes(r.tempFile()), QByteArray("ST,0012\r\nSS,P1\r\nSS,P"));
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.lastMessage()->icon, MessageIcon::Exclamation);
    QVERIFY(r.lastMessage()->title != "Complete");
    QCOMPARE(r.session->state.DialogAnswer, std::string("Lathos"));
    QVERIFY(!r.viewEnabled());
    QVERIFY(r.session->mainWindow->isEnabled());
    QVERIFY(!DownloadWindow());
    QTRY_VERIFY(!r.instrument.portOpen());
}

QTEST_MAIN(DownloadReceiveTest)
#include "tst_DownloadReceive.moc"
