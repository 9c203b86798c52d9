// The letters of the code page (æ, ø, å; bytes 128 to 255) over the cable, through the
// real windows and the simulated instrument: a download keeps them like any other
// character in the temporary file, the target and every copy, and the converters carry
// them through as they do for a file from disk; only a byte 0 is left out, and the box
// says how many. An upload sends them to the instrument as the same bytes.
#include "helper_Download.h"

#include "app/gui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

// Windows-1252: "Måling øst, grøft ved Ærø" and the point code "GRØFT".
const QByteArray kNote = "CO,Jobb: M\xe5ling \xf8st, gr\xf8" "ft ved \xc6r\xf8";
const QByteArray kCode = "GR\xd8" "FT";
const QByteArray kKept = kNote + "\r\nST,S1,,B1,,1.550,0.0000,0.0000\r\nSS,P1,1.500,40.000,50.0000,100.0000,,"
                         + kCode + "\r\n";

// What the instrument sends: the data with two bytes 0 in it.
QByteArray Sent()
{
    QByteArray sent = kKept;
    sent.insert(3, '\0');
    sent.insert(sent.indexOf(kCode), '\0');
    return sent;
}

} // namespace

class DownloadLettersTest : public QObject {
    Q_OBJECT
private slots:
    void lettersAreKeptOnEveryRoad_data();
    void lettersAreKeptOnEveryRoad();
    void lettersReachTheInstrument_data();
    void lettersReachTheInstrument();
};

void DownloadLettersTest::lettersAreKeptOnEveryRoad_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("converter"); // "" stored as received
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("rawCopy");      // "Also save the original data format"
    QTest::newRow("raw data stored as received") << 0 << 0 << "" << "" << false;
    QTest::newRow("Other") << 2 << 0 << "" << "" << false;
    QTest::newRow("raw data to KOF") << 0 << 1 << "ConvertRawToKOF" << "F_KOFStp" << false;
    QTest::newRow("raw data to MAPA 2, the original data saved") << 0 << 2 << "ConvertRawToMapa2" << "" << true;
    QTest::newRow("raw data to a coordinate file") << 0 << 7 << "CalcRawCoordinates" << "F_SetCalcCoo" << false;
}

void DownloadLettersTest::lettersAreKeptOnEveryRoad()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, converter);
    QFETCH(QString, dialog);
    QFETCH(bool, rawCopy);
    DownloadDriver r;
    const std::string target = r.path(QString::fromUtf8("Måling øst.txt"));
    r.choose(false, kind, position);
    Find<QCheckBox>(*r.session, "CheckOrigDF")->setChecked(rawCopy);
    r.typeTarget(ToQt(target));
    r.instrument.start({Step::Send(200, Sent())});
    ModalAnswerer answers(&r.session);
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    r.download();

    QVERIFY(answers.done());
    const auto& messages = r.folder.interaction.messages;
    QVERIFY(!messages.empty());
    QCOMPARE(messages.front().text, "Data transmission successfully completed.\r\n2 byte(s) with the value 0 were left "
                                    "out: they are no characters of the data.");
    QCOMPARE(ReadBytes(r.tempFile()), converter.isEmpty() ? QByteArray() : kKept); // Overwite moved it into the target
    if (converter.isEmpty()) {
        QCOMPARE(ReadBytes(target), kKept);
    } else {
        // The same file from disk gives the same result.
        const std::string fromDisk = r.path("from disk.raw");
        WriteBytes(fromDisk, kKept);
        const QByteArray written = ReadBytes(target);
        QCOMPARE(written, r.direct(converter.toLatin1(), fromDisk));
        QVERIFY2(written.contains(kCode), written.constData());
    }
    if (rawCopy)
        QCOMPARE(ReadBytes(r.path(QString::fromUtf8("Måling øst.zvk"))), kKept);
    QVERIFY(r.viewEnabled());
}

void DownloadLettersTest::lettersReachTheInstrument_data()
{
    QTest::addColumn<int>("format"); // in the send format list
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("code list") << 1 << "" << "DEFAULT\r\n{\r\n" + kCode + "\r\nGR\xc6S\r\n}\r\n"
                               << "DEFAULT\r\n{\r\n" + kCode + "\r\nGR\xc6S\r\n}\r\n";
    QTest::newRow("coordinate file") << 0 << "F_UpCoo" << "P\xd8" "1,6500100.5,600200.25,12.5," + kCode + "\r\n"
                                     << "P\xd8" "1,6500100.5,600200.25,12.5," + kCode + "\r\n";
    // A KOF "05" record: point in characters 5 to 14, code 16 to 23, the coordinates
    // 25 to 36 and 38 to 48, the height 50 to 57.
    const QByteArray record = " 05 " + QByteArray("P\xd8" "1").leftJustified(10) + " " + kCode.leftJustified(8) +
                              " " + QByteArray("6500100.500").rightJustified(12) + " " +
                              QByteArray("600200.250").rightJustified(11) + " " + QByteArray("12.500").rightJustified(8);
    QTest::newRow("KOF") << 3 << "" << record + "\r\n" << "P\xd8" "1,600200.250,6500100.500,12.500," + kCode + "\r\n";
}

void DownloadLettersTest::lettersReachTheInstrument()
{
    QFETCH(int, format);
    QFETCH(QString, dialog);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, sent);
    DownloadDriver r;
    const std::string name = r.path(QString::fromUtf8("Grøft ved Ærø.txt"));
    WriteBytes(name, file);
    r.session->mainWindow->MainTab()->setCurrentIndex(1);
    Find<QComboBox>(*r.session, "ComboDataFormatSend")->setCurrentIndex(format);
    auto* box = Find<QLineEdit>(*r.session, "TxFileNameSend");
    box->clear();
    QTest::keyClicks(box, ToQt(name));
    QTest::keyClick(box, Qt::Key_Return);
    ModalAnswerer answers(&r.session);
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    answers.expect("F_UL", "ComSend");
    r.folder.interaction.clear();
    r.click("ComSend");

    QVERIFY(answers.done());
    QCOMPARE(r.session->state.TransferStatus, std::string("UpOK"));
    QTRY_COMPARE(r.instrument.captured(), sent);
    QTRY_VERIFY(!r.instrument.portOpen());
}

QTEST_MAIN(DownloadLettersTest)
#include "tst_DownloadLetters.moc"
