// A download that stopped in the middle of a record, stored as received, and the next
// download appended to the same target, as when the user goes on where the cable came
// out; through the real windows and the simulated instrument. Raw data turns the
// record cut short into a comment that keeps every byte of it, the box says so and on
// which line, and every raw-data road leaves it out instead of reading it with wrong
// values. Data the raw-data readers do not read (SDR, "Other"), a last comment line
// and a file of one line keep the line as it came, on a line of its own, told the same
// way. A store that fails after a cut download never says that the target holds it.
// Coordinates appended to a coordinate list cut inside its last point keep that point
// left out the same way: the mark of raw data goes before it, and every conversion of
// the list leaves it out and tells it.
#include "helper_Download.h"

#include "app/gui/QtText.h"

#include <QDir>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

const QByteArray kStation = "CO,Zarel RAW data format V2.00\r\nST,S1,,B1,,1.550,0.0000,0.0000\r\n";
const QByteArray kFirst = kStation + "SS,P1,1.500,40.000,50.0000,100.0000,,X\r\n";
// P2 as it came before the cable was pulled; whole it ends "100.0000,100.0000,,X".
const QByteArray kCut = "SS,P2,1.500,50.000,100.0000,1";
const QByteArray kSecond = kStation + "SS,P3,1.500,60.000,150.0000,100.0000,,X\r\n";

std::string CutLineKeptIn(const std::string& place)
{
    return "Data transmission successfully completed.\r\nThe last line (\"" + kCut.toStdString() +
           "\") came without its line end: the transfer may have ended early. It is kept as it came, without a "
           "line end, in " + place + ".";
}

// One download into target, answering the questions and boxes that come up.
void Download(DownloadDriver& r, const QByteArray& sent, const std::string& target, const QStringList& windows)
{
    r.typeTarget(ToQt(target));
    r.instrument.start({Step::Send(200, sent)});
    ModalAnswerer answers(&r.session);
    for (const QString& window : windows)
        answers.expect(window.section(' ', 0, 0).toLatin1(), window.section(' ', 1, 1).toLatin1());
    r.download();
    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected"), QStringList());
}

} // namespace

class DownloadAppendCutTest : public QObject {
    Q_OBJECT
private slots:
    void cutRecordStaysLeftOutOnEveryRawRoad();
    void lineWithoutItsEndOfEveryKind_data();
    void lineWithoutItsEndOfEveryKind();
    void failedStoreDoesNotClaimTheTarget();
    void cutPointStaysLeftOutOnEveryCoordinateRoad();
};

// The user's road: a download cut in P2, then the rest appended; then the target
// converted on every road of the raw-data file list. P2 is read nowhere: KOF and
// MAPA 2 carry the comment over as a comment, the others leave it out.
void DownloadAppendCutTest::cutRecordStaysLeftOutOnEveryRawRoad()
{
    DownloadDriver r;
    const std::string target = r.path(QString::fromUtf8("Måling øst.txt"));
    r.choose(false, 0, 0); // "Zarel RAW data format V2.00": stored as received
    Download(r, kFirst + kCut, target, {});
    QCOMPARE(r.lastMessage()->text, CutLineKeptIn(target));
    QCOMPARE(ReadBytes(target), kFirst + kCut);

    Download(r, kSecond, target, {"F_Msg ComAppend"});
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.lastMessage()->title, std::string("Complete"));
    QCOMPARE(r.lastMessage()->text,
             "Data transmission successfully completed.\r\nThe last line of " + target + " (\"" + kCut.toStdString() +
                 "\") had no line end, as when a transfer ends early. It is a record cut short: so that no "
                 "conversion reads it as a whole one, it is now the comment line 4 (\"CO,Cut short: " + kCut.toStdString() +
                 "\"), and the received data follows it.");
    QCOMPARE(ReadBytes(target), kFirst + "CO,Cut short: " + kCut + "\r\n" + kSecond);
    QVERIFY(r.viewEnabled());

    const struct {
        int position; // in the raw-data file list
        const char* dialog;
    } roads[] = {{0, "F_KOFStp"}, {1, ""}, {2, ""}, {3, ""}, {4, "F_SetCalcCoo"}};
    for (const auto& road : roads) {
        const std::string output = r.path(QString("out%1.txt").arg(road.position));
        r.choose(true, 0, road.position);
        r.chooseSource(target);
        r.typeTarget(ToQt(output));
        ModalAnswerer answers(&r.session);
        if (*road.dialog)
            answers.expect(road.dialog, "ComOK");
        answers.expect("F_MsgCon", "ComOK");
        r.folder.interaction.clear();
        r.click("ComConv");
        QVERIFY(answers.done());
        QCOMPARE(r.session->state.TransferStatus, std::string("OK"));
        const std::string told = "1 record(s) marked \"Cut short:\" were left out, the first at line 4";
        QVERIFY2(std::any_of(r.folder.interaction.messages.begin(), r.folder.interaction.messages.end(),
                             [&](const auto& m) { return m.text.find(told) != std::string::npos; }),
                 output.c_str());
        const QByteArray written = ReadBytes(output);
        QVERIFY2(written.contains("P1") && written.contains("P3"), written.constData());
        for (const QByteArray& line : written.split('\n'))
            if (line.contains("P2")) // only as the comment carried over, nothing read
                QVERIFY2(line.contains(kCut + "\r"), line.constData());
    }
}

void DownloadAppendCutTest::lineWithoutItsEndOfEveryKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("dialog"); // the box before the download, answered OK
    QTest::addColumn<QByteArray>("old"); // the target's old content
    QTest::addColumn<QByteArray>("kept"); // what it holds after the append, before the received data
    QTest::addColumn<QString>("told");   // what the box says after message 19, <target> for its name
    const QString asItCame = "\r\nThe last line of <target> (\"%1\") had no line end, as when a transfer ends early. "
                             "It now stands as it came on a line of its own, line %2, and the received data follows it.";
    const QByteArray comment = "CO,Jobb: M\xe5ling \xf8st, gr\xf8" "ft ved \xc6r\xf8";
    QTest::newRow("Other") << 2 << 0 << "" << kFirst + kCut << kFirst + kCut + "\r\n"
                           << asItCame.arg(QString::fromLatin1(kCut)).arg(4);
    QTest::newRow("SDR-33 raw data") << 0 << 4 << "F_SdrDL" << kFirst + kCut << kFirst + kCut + "\r\n"
                                     << asItCame.arg(QString::fromLatin1(kCut)).arg(4);
    QTest::newRow("SDR-2x coordinates") << 1 << 3 << "F_SdrDL" << QByteArray("08KI001 100.000\n08KI002 1")
                                        << QByteArray("08KI001 100.000\n08KI002 1\n") << asItCame.arg("08KI002 1").arg(2);
    QTest::newRow("raw data, a comment cut short") << 0 << 0 << "" << kStation + comment
                                                   << kStation + comment + "\r\n"
                                                   << asItCame.arg(QString::fromLatin1(comment)).arg(3);
    QTest::newRow("raw data, a file of one line, whole to every reader")
        << 0 << 0 << "" << kCut << kCut + "\r\n" << asItCame.arg(QString::fromLatin1(kCut)).arg(1);
    QTest::newRow("raw data, whole lines") << 0 << 0 << "" << kFirst << kFirst << "";
}

void DownloadAppendCutTest::lineWithoutItsEndOfEveryKind()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, dialog);
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, kept);
    QFETCH(QString, told);
    DownloadDriver r;
    const std::string target = r.path("job.txt");
    WriteBytes(target, old);
    r.choose(false, kind, position);
    QStringList windows{"F_Msg ComAppend"};
    if (!dialog.isEmpty())
        windows << dialog + " ComOK";
    Download(r, kSecond, target, windows);
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    const QByteArray expected = r.session->model.message(19).c_str() +
                                told.toLatin1().replace("<target>", QByteArray::fromStdString(target));
    QCOMPARE(QByteArray::fromStdString(r.lastMessage()->text), expected);
    QCOMPARE(ReadBytes(target), kept + kSecond);
}

// The target cannot be written when the data has come (it became a folder): the box
// of the completed download names the copy that holds the cut line, never the target;
// the store's failure and the copy are told after it.
void DownloadAppendCutTest::failedStoreDoesNotClaimTheTarget()
{
    DownloadDriver r;
    const std::string target = r.path(QString::fromUtf8("Måling øst.raw"));
    const std::string copy = r.path(QString::fromUtf8("Måling øst.zvk"));
    const QByteArray sent = kFirst + kCut;
    r.choose(false, 0, 0);
    r.actWhen([&] { return r.instrument.bytesSent() >= sent.size(); }, [&] { QDir().mkdir(ToQt(target)); });
    Download(r, sent, target, {});

    const auto& messages = r.folder.interaction.messages;
    QCOMPARE(messages.size(), size_t(3));
    QCOMPARE(messages[0].text, CutLineKeptIn(copy));
    QCOMPARE(messages[0].title, std::string("Complete"));
    QVERIFY2(messages[1].text.find(target + " could not be written.") != std::string::npos, messages[1].text.c_str());
    QCOMPARE(messages[1].icon, MessageIcon::Critical);
    QCOMPARE(messages[2].text, "The received data could not be stored in " + target + ". It is kept in " + copy + ".");
    QCOMPARE(ReadBytes(copy), sent);
    QVERIFY(!r.viewEnabled());
}

// The user's road with coordinates: a list whose last point came as far as its
// easting's fourth digit, the next download appended to it as a coordinate list, then
// the list converted on every road of the coordinate file list.
void DownloadAppendCutTest::cutPointStaysLeftOutOnEveryCoordinateRoad()
{
    DownloadDriver r;
    const std::string target = r.path(QString::fromUtf8("Måling øst.asc"));
    const QByteArray cut = "P7,6500105.500,6002";
    const QByteArray old = "P1,6500100.500,600200.250,12.500,TREE\r\n" + cut;
    const QByteArray sent = "P2,6500110.000,600190.000,11.000,WALL\r\n";
    WriteBytes(target, old);
    r.choose(false, 1, 0); // "Coordinate file", in the default field order
    Download(r, sent, target, {"F_Msg ComAppend"});
    const auto& messages = r.folder.interaction.messages;
    QCOMPARE(messages.size(), size_t(2));
    QCOMPARE(messages[0].text, r.session->model.message(19));
    QCOMPARE(messages[1].text, "The last line of " + target + " (\"" + cut.toStdString() +
                                   "\") had no line end, as when a transfer ends early. It is a point cut short: so "
                                   "that no reader takes it for a whole one, it is now line 2 (\"CO,Cut short: " +
                                   cut.toStdString() + "\"), which this program's readers leave out and count, and "
                                   "the new lines follow it.");
    QCOMPARE(ReadBytes(target), "P1,6500100.500,600200.250,12.500,TREE\r\nCO,Cut short: " + cut + "\r\n" + sent);

    const struct {
        int position; // in the coordinate file list
        const char* dialog;
    } roads[] = {{0, "F_Dxf"}, {1, "F_KOFStp"}};
    for (const auto& road : roads) {
        const std::string output = r.path(QString("out%1.txt").arg(road.position));
        r.choose(true, 1, road.position);
        r.chooseSource(target);
        r.typeTarget(ToQt(output));
        ModalAnswerer answers(&r.session);
        answers.expect(road.dialog, "ComOK");
        answers.expect("F_MsgCon", "ComOK");
        r.folder.interaction.clear();
        r.click("ComConv");
        QVERIFY(answers.done());
        QCOMPARE(r.session->state.TransferStatus, std::string("OK"));
        const QByteArray written = ReadBytes(output);
        QVERIFY2(written.contains("P1") && written.contains("P2") && !written.contains("P7"), written.constData());
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, std::string("1 record(s) marked \"Cut short:\" were left out, the first at line 2: "
                                               "each was the last line of the file, cut off, when more data was "
                                               "appended after it."));
        QCOMPARE(messages[0].title, std::string("Warning"));
    }
}

QTEST_MAIN(DownloadAppendCutTest)
#include "tst_DownloadAppendCut.moc"
