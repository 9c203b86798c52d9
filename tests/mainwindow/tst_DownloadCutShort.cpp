// Downloads that end inside a line, through the real windows and the simulated
// instrument: a transfer that stops in the middle of a record keeps that record as it
// came, without a line end, in the temporary file, the target and every copy, and the
// box of the completed download says so and where it is; the copy of the original
// data under another name is said in that same box. Coordinates cut inside a point and
// converted at once (a DXF drawing, a KOF file, a coordinate list) leave that point
// out: it is no point at the easting where the transfer stopped. Data without any line end (a
// wrong speed or data bits setting) moves the byte count byte by byte, ends at the
// readers' line limit with a plain message in the words of the kind chosen, and
// Cancel keeps what came.
#include "helper_Download.h"

#include "app/gui/QtText.h"
#include "link/core/DownloadReceiver.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

const QByteArray kCutRecord = "SS,53,1.500,7.479,149.949";

// Some 3 000 bytes of raw data, points 1 to 52 whole; with cut, point 53 cut short.
QByteArray SurveyData(bool cut)
{
    QByteArray data = "CO,Zarel RAW data\r\nST,0012,,B1,,1.55,12.3456,350.0000\r\nF1,B1,1.5,1234.5,20.0000,100\r\n";
    for (int point = 1; point <= 52; ++point)
        data += "SS," + QByteArray::number(point) + ",1.500,7.479,149.9490,99.5000,,BOUNDARY MARK\r\n";
    return cut ? data + kCutRecord : data;
}

} // namespace

class DownloadCutShortTest : public QObject {
    Q_OBJECT
private slots:
    void whatCameIsKeptAndSaid_data();
    void whatCameIsKeptAndSaid();
    void coordinatesCutShortAreLeftOut_data();
    void coordinatesCutShortAreLeftOut();
    void dataWithoutLineEnds_data();
    void dataWithoutLineEnds();
};

void DownloadCutShortTest::whatCameIsKeptAndSaid_data()
{
    QTest::addColumn<int>("position");   // in the instrument raw-data list
    QTest::addColumn<bool>("cut");       // the last record comes without its line end
    QTest::addColumn<bool>("rawCopy");   // "Also save the original data format"
    QTest::addColumn<bool>("firstTaken"); // job.zvk exists already
    QTest::addColumn<QString>("keeper"); // the file that must hold the bytes sent
    QTest::addColumn<QString>("told");   // what the box adds to message 19
    const QString line = "\r\nThe last line (\"" + kCutRecord +
                         "\") came without its line end: the transfer may have ended early. It is kept as it "
                         "came, without a line end, in ";
    QTest::newRow("stored as received") << 0 << true << false << false << "job.raw" << line + "<job.raw>.";
    QTest::newRow("converted, the original data saved")
        << 2 << true << true << false << "job.zvk" << line + "<job.zvk>.";
    QTest::newRow("converted, no copy asked") << 2 << true << false << false << "job.zvk" << line + "<job.zvk>.";
    QTest::newRow("converted, whole lines, the original data under the next name")
        << 2 << false << true << true << "job1.zvk"
        << "\r\nThe original data is saved in <job1.zvk>, as <job.zvk> already exists.";
}

void DownloadCutShortTest::whatCameIsKeptAndSaid()
{
    QFETCH(int, position);
    QFETCH(bool, cut);
    QFETCH(bool, rawCopy);
    QFETCH(bool, firstTaken);
    QFETCH(QString, keeper);
    QFETCH(QString, told);
    DownloadDriver r;
    const QByteArray sent = SurveyData(cut);
    const std::string target = r.path(position == 0 ? "job.raw" : "job.txt");
    if (firstTaken)
        WriteBytes(r.path("job.zvk"), "an earlier copy\r\n");
    r.choose(false, 0, position);
    Find<QCheckBox>(*r.session, "CheckOrigDF")->setChecked(rawCopy);
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({Step::Send(200, sent)});
    r.download();

    QString expected = r.session->model.message(19).c_str() + told;
    for (const char* name : {"job.raw", "job.zvk", "job1.zvk"})
        expected.replace(QString("<%1>").arg(name), QString::fromStdString(r.path(name)));
    const auto& messages = r.folder.interaction.messages;
    QVERIFY(!messages.empty());
    QCOMPARE(QString::fromStdString(messages.front().text), expected);
    QCOMPARE(messages.front().title, std::string("Complete"));
    // A conversion leaves the cut record out and its one warning names it by its line
    // (three lines before the 52 points); stored as received, nothing more is said.
    const bool converted = position != 0;
    QCOMPARE(messages.size(), size_t(cut && converted ? 2 : 1));
    if (cut && converted)
        QVERIFY2(QString::fromStdString(messages[1].text).contains("the last one, at line 56, has no line end"),
                 messages[1].text.c_str());
    QCOMPARE(ReadBytes(r.path(keeper)), sent);
    if (position != 0)
        QCOMPARE(ReadBytes(r.tempFile()), sent);
    QVERIFY(!QFile::exists(QString::fromStdString(r.path(firstTaken ? "job2.zvk" : "job1.zvk"))));
    QVERIFY(r.viewEnabled());
}

void DownloadCutShortTest::coordinatesCutShortAreLeftOut_data()
{
    QTest::addColumn<int>("position");   // in the instrument coordinate list
    QTest::addColumn<QString>("dialog"); // the window that comes after the download, answered OK
    QTest::addColumn<QString>("converter");
    QTest::newRow("DXF file") << 1 << "" << "ConvertCoorToDXF";
    QTest::newRow("KOF coordinate file") << 2 << "F_KOFStp" << "ConvertCoorToKOF";
    QTest::newRow("Coordinate file") << 0 << "" << "ConvertCoorToUserCoor";
}

// P7 came as far as its easting's fourth digit: 6002 for 600210.000.
void DownloadCutShortTest::coordinatesCutShortAreLeftOut()
{
    QFETCH(int, position);
    QFETCH(QString, dialog);
    QFETCH(QString, converter);
    DownloadDriver r;
    const QByteArray whole = "P1,6500100.500,600200.250,12.500,TREE\r\nP2,6500110.000,600190.000,11.000,WALL\r\n";
    const QByteArray cut = "P7,6500105.500,6002";
    const std::string target = r.path(QString::fromUtf8("Måling øst.out"));
    r.choose(false, 1, position);
    r.typeTarget(ToQt(target));
    r.instrument.start({Step::Send(200, whole + cut)});
    ModalAnswerer answers(&r.session);
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    r.download();
    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected"), QStringList());

    const std::string copy = r.path(QString::fromUtf8("Måling øst.zvk"));
    const auto& messages = r.folder.interaction.messages;
    QCOMPARE(messages.size(), size_t(2));
    QCOMPARE(messages[0].text, r.session->model.message(19) + "\r\nThe last line (\"" + cut.toStdString() +
                                   "\") came without its line end: the transfer may have ended early. It is kept as "
                                   "it came, without a line end, in " + copy + ".");
    QCOMPARE(messages[1].text, std::string("1 record(s) were left out because they are cut short: the last one, at "
                                           "line 3, has no line end (as when a transfer ends early)."));
    QCOMPARE(messages[1].title, std::string("Warning"));
    QCOMPARE(ReadBytes(copy), whole + cut);
    WriteBytes(r.path("whole.asc"), whole);
    QCOMPARE(ReadBytes(target), r.direct(converter.toLatin1(), r.path("whole.asc")));
    QVERIFY(!ReadBytes(target).contains("P7"));
    QVERIFY(r.viewEnabled());
}

void DownloadCutShortTest::dataWithoutLineEnds_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<bool>("cancel"); // once the count shows every byte
    QTest::addColumn<int>("kind");    // raw data, or "Other", which the user knows is no survey data
    QTest::newRow("50 MB without a line end") << 50 * 1024 * 1024 << false << 0;
    QTest::newRow("5000 bytes without a line end, then Cancel") << 5000 << true << 0;
    QTest::newRow("Other, 20000 bytes without a line end") << 20000 << false << 2;
}

void DownloadCutShortTest::dataWithoutLineEnds()
{
    QFETCH(int, bytes);
    QFETCH(bool, cancel);
    QFETCH(int, kind);
    DownloadDriver r;
    QByteArray sent(bytes, 'U');
    for (int i = 7; i < bytes; i += 13)
        sent[i] = 'e'; // what a wrong speed makes of survey data, without a CR
    const std::string target = r.path("job.raw");
    const std::string copy = r.path("job.zvk");
    r.choose(false, kind, 0);
    r.typeTarget(QString::fromStdString(target));
    r.instrument.start({Step::Send(200, sent)});
    const QString all = QString::fromStdString(ByteCountText(bytes));
    QElapsedTimer waited;
    waited.start();
    if (cancel)
        r.cancelWhen([&] { return !r.statusTexts.isEmpty() && r.statusTexts.last() == all; });
    else // a download that never ends by itself fails the test instead of hanging it
        r.cancelWhen([&] { return waited.elapsed() > 60000; });
    r.download();

    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    const RecordingInteraction::Message& box = *r.lastMessage();
    const QByteArray kept = ReadBytes(copy);
    if (cancel) {
        QCOMPARE(box.text, "Data transmission interrupted\r\nThe data received so far is kept in " + copy + ".");
        QCOMPARE(kept, sent);
        QCOMPARE(r.session->state.DialogAnswer, std::string("Stop"));
    } else {
        const std::string what = kind == 2 ? "The download stopped: line 1 of the received data is longer than "
                                             "10000 characters, the longest line a download takes."
                                           : "The download stopped. The received data is not survey data: line 1 "
                                             "is longer than 10000 characters.";
        QCOMPARE(box.text, what + " The data received so far is kept in " + copy + ".\r\n"
                           "Are the speed and data bits on the Settings tab those of the instrument?");
        QCOMPARE(box.title, std::string("Error"));
        QCOMPARE(box.icon, MessageIcon::Exclamation);
        QVERIFY2(kept.size() > 10000 && kept.size() < 10 * 1024 * 1024, qPrintable(QString::number(kept.size())));
        QVERIFY(sent.startsWith(kept));
        QCOMPARE(r.session->state.DialogAnswer, std::string("Lathos"));
    }
    QCOMPARE(ReadBytes(r.tempFile()), kept);
    QVERIFY(!QFile::exists(QString::fromStdString(target)));
    QVERIFY(!r.viewEnabled());
    QVERIFY(!DownloadWindow());
}

QTEST_MAIN(DownloadCutShortTest)
#include "tst_DownloadCutShort.moc"
