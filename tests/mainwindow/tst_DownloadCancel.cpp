// Ways a download ends without data to store: Cancel before any byte, the close box
// between the first character and the end of the second line, Cancel after comment
// lines that never turn into data (what came, a line not ended too, kept in a copy the
// box names),
// a port that another program holds; and setup mode, where Download only shows the
// download window.
#include "helper_Download.h"

#include "link/SerialLink.h"
#include "link/core/PortSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>

using namespace tavrelo;
using namespace tavrelo::test;

class DownloadCancelTest : public QObject {
    Q_OBJECT
private slots:
    void cancelEndsWithNothingStored_data();
    void cancelEndsWithNothingStored();
    void busyPortShowsTheSettingsPage();
    void setupModeOnlyShowsTheWindow();
};

void DownloadCancelTest::cancelEndsWithNothingStored_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<bool>("closeBox");
    // How long after the last byte Cancel comes: long enough for a loaded machine to have
    // read every byte sent, and still well short of the 3-second end once data has started.
    QTest::addColumn<int>("quietMs");
    QTest::addColumn<QString>("told"); // what the box says is kept, before " kept in"
    const QString lines = "The lines received so far are";
    QTest::newRow("Cancel before any byte") << QByteArray() << false << 300 << QString();
    QTest::newRow("close box in the first line")
        << QByteArray("00NMSC") << true << 1000 << QString("The data received so far is");
    QTest::newRow("close box before the second line ends")
        << QByteArray("CO,head\r\nCO,x\r\n08") << true << 1000 << lines;
    QByteArray sixteen;
    for (int i = 1; i <= 16; ++i)
        sixteen += "CO,comment " + QByteArray::number(i) + "\r\n";
    QTest::newRow("sixteen comment lines and a long pause") << sixteen << false << 3600 << lines;
}

void DownloadCancelTest::cancelEndsWithNothingStored()
{
    QFETCH(QByteArray, sent);
    QFETCH(bool, closeBox);
    QFETCH(int, quietMs);
    QFETCH(QString, told);
    const QByteArray& kept = sent; // every byte that came, a line not ended too
    DownloadDriver r;
    const std::string target = r.path("job.raw");
    r.choose(false, 0, 0);
    r.typeTarget(QString::fromStdString(target));
    if (!sent.isEmpty())
        r.instrument.start({Step::Send(0, sent)});
    QElapsedTimer quiet;
    r.cancelWhen(
        [&] {
            if (!r.instrument.portOpen() || !(sent.isEmpty() || r.instrument.scriptDone()))
                return false;
            if (!quiet.isValid())
                quiet.start();
            return quiet.elapsed() > quietMs;
        },
        closeBox);
    r.download();

    // What came is kept beside the target, and the box says where.
    const std::string copy = r.path("job.zvk");
    const std::string where = told.isEmpty() ? "" : "\r\n" + told.toStdString() + " kept in " + copy + ".";
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.lastMessage()->text, "Data transmission interrupted" + where);
    QCOMPARE(ReadBytes(copy), kept);
    QCOMPARE(r.lastMessage()->title, std::string("Warning"));
    QCOMPARE(r.lastMessage()->icon, MessageIcon::Critical);
    QCOMPARE(r.session->state.DialogAnswer, std::string("Stop"));
    QVERIFY(!QFile::exists(QString::fromStdString(target)));
    QCOMPARE(ReadBytes(r.tempFile()), kept);
    QVERIFY(!r.viewEnabled());
    QVERIFY(r.session->mainWindow->isEnabled());
    QVERIFY(!DownloadWindow());
    QTRY_VERIFY(!r.instrument.portOpen());
}

void DownloadCancelTest::busyPortShowsTheSettingsPage()
{
    DownloadDriver r;
    SerialLink otherProgram;
    QVERIFY(otherProgram.open(PortDeviceName(r.folder.folder() + "/", 1), PortSettings()));
    r.choose(false, 0, 0);
    r.typeTarget(QString::fromStdString(r.path("job.raw")));
    r.download();

    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QVERIFY(r.lastMessage()->text.rfind("The communication port could not be opened.\r\n", 0) == 0);
    QCOMPARE(r.session->mainWindow->MainTab()->currentIndex(), 2);
    QCOMPARE(r.instrument.opensSoFar(), 1); // only the other program's
    QVERIFY(!DownloadWindow() || !DownloadWindow()->isVisible());

    // Once the other program lets go, the same port opens.
    otherProgram.close();
    r.instrument.start({Step::Send(300, "CO,x\r\n")});
    // Cancel once the line has been written, not only sent: a loaded machine may read it late.
    r.cancelWhen([&] { return !r.statusTexts.isEmpty() && r.statusTexts.last() == "Bytes:   4"; });
    r.download();
    QCOMPARE(ReadBytes(r.tempFile()), QByteArray("CO,x\r\n"));
}

// In setup mode the download window is loaded at start unseen; Download shows it
// modally for its texts and touches no file or port; its close box is refused and
// Cancel only hides it.
void DownloadCancelTest::setupModeOnlyShowsTheWindow()
{
    ProgramFolder folder;
    CreateDefaultIni(folder);
    auto session = folder.start("Custom Layout");
    QWidget* dl = DownloadWindow();
    QVERIFY(dl);
    QVERIFY(!dl->isVisible());
    InstrumentSimulator instrument(QString::fromStdString(folder.folder()));

    for (const char* command : {"ComDLN", "ComConv"}) {
        folder.interaction.clear();
        ModalAnswerer answers(&session);
        answers.expect("F_DL", "close");
        answers.expect("F_DL", "ComCancel");
        Find<QPushButton>(*session, command)->click();
        QVERIFY(answers.done());
        QCOMPARE(answers.answered, QStringList({"F_DL close", "F_DL ComCancel"}));
        QCOMPARE(folder.interaction.messages.size(), size_t(1));
        QCOMPARE(folder.interaction.messages[0].text, std::string("The program is in setup mode.\r\nPress <Cancel> button"));
        QCOMPARE(folder.interaction.messages[0].title, std::string("Setup"));
        QCOMPARE(folder.interaction.messages[0].icon, MessageIcon::Information);
        QVERIFY(DownloadWindow() && !DownloadWindow()->isVisible());
    }
    QCOMPARE(instrument.opensSoFar(), 0);
    QVERIFY(!QFile::exists(QString::fromStdString(folder.folder() + "/Pemdrix.tem")));
}

QTEST_MAIN(DownloadCancelTest)
#include "tst_DownloadCancel.moc"
