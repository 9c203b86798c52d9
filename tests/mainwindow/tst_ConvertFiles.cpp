// Converting from the Receive tab end to end: a raw-data file and a coordinate file
// into each format of their lists, the option dialog and the Append / Overwite /
// Cancel question answered, and a download's received data handed to the dispatch.
// Targets are compared with the converter run directly on the same input.
#include "helper_Receive.h"

#include "app/gui/QtText.h"
#include "conversion/ConverterRegistry.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>

#include <new>

#include <csignal>

#include <sys/mount.h>
#include <sys/resource.h>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

// The converter run directly with the stores the window used; mode 1 appends to old.
QByteArray Direct(const ReceiveDriver& r, const char* converter, const std::string& input, int mode,
                  const QByteArray& old = QByteArray())
{
    const std::string expected = r.path("expected.out");
    QFile::remove(QString::fromStdString(expected));
    if (mode == 1)
        WriteBytes(expected, old);
    ProgramState state;
    state.OutputFileMode = mode;
    RecordingInteraction ui;
    ConversionContext context = r.session->options.context(state, ui, r.settings().StCombCoord0);
    FindConverter(converter)->run(context, input, expected);
    if (state.TransferStatus != "OK")
        qWarning("direct %s ended %s", converter, state.TransferStatus.c_str());
    return ReadBytes(expected);
}

// A file source of the kind and format, and the source file chosen.
void Prepare(const ReceiveDriver& r, int kind, int position, const std::string& source)
{
    r.choose(true, kind, position);
    r.chooseSource(source);
}

// A folder whose disk is full after its first few kilobytes: a small file system of its
// own where the test may mount one (as root), else a limit on the size of every file
// this process writes, which the program meets as the same failure.
class FullDiskFolder {
public:
    explicit FullDiskFolder(const QString& path) : m_path(path.toStdString())
    {
        QDir().mkpath(path);
        m_mounted = ::mount("tmpfs", m_path.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDiskFolder()
    {
        release();
        if (m_mounted)
            ::umount(m_path.c_str());
    }
    // The disk is full from here on.
    void fill()
    {
        if (m_mounted)
            return;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        m_limited = true;
    }
    void release()
    {
        if (!m_limited)
            return;
        const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &none);
        std::signal(SIGXFSZ, m_handler);
        m_limited = false;
    }
    bool mounted() const { return m_mounted; }

private:
    std::string m_path;
    bool m_mounted = false;
    bool m_limited = false;
    void (*m_handler)(int) = SIG_DFL;
};

} // namespace

class ConvertFilesTest : public QObject {
    Q_OBJECT
private slots:
    void eachFormatOfTheFileLists_data();
    void eachFormatOfTheFileLists();
    void existingTargetIsAskedAbout_data();
    void existingTargetIsAskedAbout();
    void cancelledOptionDialogConvertsNothing_data();
    void cancelledOptionDialogConvertsNothing();
    void kofDialogFollowsTheTargetAndTheDay();
    void recordFileTakesTheAnswer();
    void targetMayNotBeTheSource();
    void failedConversionIsNoSuccess();
    void staleResultWordEnablesNothing();
    void blankTargetNames();
    void downloadHandsReceivedDataToTheDispatch();
    void downloadStepsBeforeTheTransfer();
    void downloadFromAMissingPortStoresNothing();
    void downloadThatRunsOutOfMemoryLeavesTheMainWindowEnabled();
    void downloadTargetMayNotBeTheTemporaryFile();
    void portFailureShowsTheSettingsPage();
    void aSourceWithoutLineEndsIsRefused_data();
    void aSourceWithoutLineEndsIsRefused();
    void recordsCutShortAreLeftOutAndTold_data();
    void recordsCutShortAreLeftOutAndTold();
    void aPointNumberFileThatCannotBeReadStopsTheConversion();
    void aFullDiskNamesTheTargetAndLeavesItAsItWas();
};

void ConvertFilesTest::eachFormatOfTheFileLists_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("converter");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("raw to KOF") << 0 << 0 << "ConvertRawToKOF" << "F_KOFStp";
    QTest::newRow("raw to MAPA 2") << 0 << 1 << "ConvertRawToMapa2" << "";
    QTest::newRow("raw to Eghas") << 0 << 2 << "ConvertRawToEghas" << "";
    QTest::newRow("raw to NEDCAD") << 0 << 3 << "ConvertRawToNedcad" << "";
    QTest::newRow("raw to coordinate file") << 0 << 4 << "CalcRawCoordinates" << "F_SetCalcCoo";
    QTest::newRow("coordinates to DXF") << 1 << 0 << "ConvertCoorToDXF" << "F_Dxf";
    QTest::newRow("coordinates to KOF") << 1 << 1 << "ConvertCoorToKOF" << "F_KOFStp";
}

void ConvertFilesTest::eachFormatOfTheFileLists()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, converter);
    QFETCH(QString, dialog);
    ReceiveDriver r;
    const std::string source = r.copyFixture(kind == 0 ? "survey.raw" : "points.asc");
    Prepare(r, kind, position, source);
    r.typeTarget(QString::fromStdString(r.path("out.txt")));

    ModalAnswerer answers(&r.session);
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    answers.expect("F_MsgCon", "ComOK");
    r.click("ComConv");

    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected").size(), 0);
    if (!dialog.isEmpty()) // the request word the dialog finds is this command's own
        QCOMPARE(answers.statusAtShow.first(), QString(converter == "ConvertCoorToDXF" ? "CoorToDXF"
                                                     : converter.contains("KOF")      ? "ConvertToKOF"
                                                                                      : ""));
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("OK"));
    const QByteArray written = ReadBytes(r.path("out.txt"));
    QVERIFY(!written.isEmpty());
    QCOMPARE(written, Direct(r, converter.toLatin1().constData(), source, 2));
    QVERIFY(r.viewEnabled());
    QCOMPARE(ReadBytes(source), ReadBytes(r.copyFixture(kind == 0 ? "survey.raw" : "points.asc", "again")));
}

void ConvertFilesTest::existingTargetIsAskedAbout_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("mode"); // 0: nothing written
    QTest::newRow("Append") << "ComAppend" << 1;
    QTest::newRow("Overwite") << "ComOverwite" << 2;
    QTest::newRow("Cancel") << "ComCancel" << 0;
    QTest::newRow("close box") << "close" << 0;
}

void ConvertFilesTest::existingTargetIsAskedAbout()
{
    QFETCH(QString, answer);
    QFETCH(int, mode);
    ReceiveDriver r;
    const std::string source = r.copyFixture("survey.raw");
    const std::string target = r.path("job.txt");
    const QByteArray old = "old line\r\n";
    WriteBytes(target, old);
    Prepare(r, 0, 1, source); // MAPA 2, no option dialog
    r.typeTarget(QString::fromStdString(target));

    ModalAnswerer answers(&r.session);
    answers.expect("F_Msg", answer.toLatin1());
    if (mode != 0)
        answers.expect("F_MsgCon", "ComOK");
    r.click("ComConv");

    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected").size(), 0);
    if (mode == 0) {
        QCOMPARE(ReadBytes(target), old);
        QVERIFY(r.target().isEmpty());
        QVERIFY(!r.viewEnabled());
        return;
    }
    QCOMPARE(ReadBytes(target), Direct(r, "ConvertRawToMapa2", source, mode, old));
    QVERIFY(r.viewEnabled());
    // The target exists now: the next command asks again.
    ModalAnswerer again(&r.session);
    again.expect("F_Msg", "ComCancel");
    r.click("ComConv");
    QVERIFY(again.done());
}

void ConvertFilesTest::cancelledOptionDialogConvertsNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("button");
    QTest::newRow("KOF Cancel") << 0 << 0 << "F_KOFStp" << "ComCancel";
    QTest::newRow("KOF close box") << 0 << 0 << "F_KOFStp" << "close";
    QTest::newRow("calculation close box") << 0 << 4 << "F_SetCalcCoo" << "close";
    QTest::newRow("DXF close box") << 1 << 0 << "F_Dxf" << "close";
    QTest::newRow("coordinate KOF Cancel") << 1 << 1 << "F_KOFStp" << "ComCancel";
}

void ConvertFilesTest::cancelledOptionDialogConvertsNothing()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, dialog);
    QFETCH(QString, button);
    ReceiveDriver r;
    Prepare(r, kind, position, r.copyFixture(kind == 0 ? "survey.raw" : "points.asc"));
    r.typeTarget(QString::fromStdString(r.path("out.txt")));
    ModalAnswerer answers(&r.session);
    answers.expect(dialog.toLatin1(), button.toLatin1());
    r.click("ComConv");
    QVERIFY(answers.done());
    QCOMPARE(answers.answered.size(), 1); // no finished window
    QVERIFY(!QFile::exists(QString::fromStdString(r.path("out.txt"))));
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("Cancel"));
    QVERIFY(!r.viewEnabled());
}

void ConvertFilesTest::kofDialogFollowsTheTargetAndTheDay()
{
    // A coordinate file's conversion leaves the dialog loaded and hidden, and the next
    // one (of either kind) shows it again: project and date follow that conversion's
    // target and day, while the road, city and surveyor stay as the user typed them.
    ReceiveDriver r;
    const std::string points = r.copyFixture("points.asc");
    const std::string raw = r.copyFixture("survey.raw");
    const struct { int kind; const std::string& source; const char* target; } runs[] = {
        {1, points, "site1_coord.kof"}, {1, points, "site2.kof"}, {0, raw, "grid.kof"}, {1, points, "last.kof"},
    };
    QStringList projects, dates, roads;
    for (const auto& run : runs) {
        Prepare(r, run.kind, run.kind == 1 ? 1 : 0, run.source);
        r.typeTarget(QString::fromStdString(r.path(run.target)));
        ModalAnswerer answers(&r.session);
        answers.beforeAnswer = [&](QWidget* window) {
            if (window->objectName() != "F_KOFStp")
                return;
            auto* project = window->findChild<QLineEdit*>("Tx1");
            auto* date = window->findChild<QLineEdit*>("Tx2");
            auto* road = window->findChild<QLineEdit*>("Tx3");
            projects << project->text();
            dates << date->text();
            roads << road->text();
            if (projects.size() == 1) { // what the user types before the first OK
                project->setText("edited");
                date->setText("01.02.03");
                road->setText("Ringvei 3");
            }
        };
        answers.expect("F_KOFStp", "ComOK");
        answers.expect("F_MsgCon", "ComOK");
        r.click("ComConv");
        QVERIFY(answers.done());
        QCOMPARE(answers.answered.filter("unexpected").size(), 0);
    }
    QCOMPARE(projects, QStringList({"site1_coord", "site2", "grid", "last"}));
    const QString today = QDate::currentDate().toString("dd.MM.yy");
    QCOMPARE(dates.mid(1), QStringList({today, today, today}));
    QCOMPARE(roads.mid(1), QStringList({"Ringvei 3", "Ringvei 3", "Ringvei 3"}));
    const QByteArray grid = ReadBytes(r.path("grid.kof"));
    QVERIFY2(grid.contains("grid") && !grid.contains("site"), grid.left(200).constData());
    QVERIFY(grid.contains("Ringvei 3"));
    QVERIFY(ReadBytes(r.path("site1_coord.kof")).contains("edited"));
}

// The binary record file, offered when the raw-data file list has a sixth item: asked
// about an existing target, Overwite replaces it and Append adds to it.
void ConvertFilesTest::recordFileTakesTheAnswer()
{
    ReceiveDriver r;
    r.addListItems("Zarel RAW data options file", "Binary record file\r\n");

    const std::string source = r.copyFixture("survey.raw");
    const std::string target = r.path("job.bin");
    Prepare(r, 0, 5, source);
    const QByteArray once = Direct(r, "ConvertRawToRecordFile", source, 2);
    QVERIFY(!once.isEmpty());
    const struct { const char* answer; QByteArray expected; } runs[] = {
        {nullptr, once}, {"ComOverwite", once}, {"ComOverwite", once}, {"ComAppend", once + once},
    };
    for (const auto& run : runs) {
        r.typeTarget(QString::fromStdString(target));
        ModalAnswerer answers(&r.session);
        if (run.answer)
            answers.expect("F_Msg", run.answer);
        answers.expect("F_MsgCon", "ComOK");
        r.click("ComConv");
        QVERIFY(answers.done());
        QCOMPARE(answers.answered.filter("unexpected").size(), 0);
        QCOMPARE(ReadBytes(target).size(), run.expected.size());
        QCOMPARE(ReadBytes(target), run.expected);
    }
}

// The source typed as the target, as itself, by another spelling (with blanks around
// it) or through a link: the box says that the target is the source and where it lies.
void ConvertFilesTest::targetMayNotBeTheSource()
{
    ReceiveDriver r;
    const std::string source = r.copyFixture("survey.raw");
    const QByteArray before = ReadBytes(source);
    QDir(r.work.path()).mkdir("sub");
    QVERIFY(QFile::link(QString::fromStdString(source), QString::fromStdString(r.path("link.raw"))));
    const struct { std::string typed; std::string told; } cases[] = {
        {source, ""},
        {"  " + r.path("sub/../survey.raw") + " ", " (the target " + r.path("sub/../survey.raw") + " leads to it)"},
        {r.path("link.raw"), " (the target " + r.path("link.raw") + " leads to it)"},
    };
    for (const auto& c : cases) {
        Prepare(r, 0, 1, source);
        r.typeTarget(QString::fromStdString(c.typed));
        r.folder.interaction.clear();
        ModalAnswerer answers(&r.session);
        r.click("ComConv");
        QCOMPARE(answers.answered, QStringList());
        QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
        QCOMPARE(r.folder.interaction.messages[0].text,
                 "The target file is the source file " + source + c.told +
                     ": it cannot be written while it is read.\r\nPlease specify other name.");
        QCOMPARE(r.folder.interaction.messages[0].title, std::string("Warning"));
        QVERIFY(r.target().isEmpty());
        QCOMPARE(ReadBytes(source), before);
    }
}

void ConvertFilesTest::failedConversionIsNoSuccess()
{
    ReceiveDriver r;
    const std::string source = r.copyFixture("survey.raw");
    Prepare(r, 0, 2, source); // Eghas
    QFile::remove(QString::fromStdString(source));
    r.typeTarget(QString::fromStdString(r.path("out.yde")));
    ModalAnswerer answers(&r.session);
    r.click("ComConv");
    QCOMPARE(answers.answered, QStringList()); // no "Conversion finished"
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("E"));
    QVERIFY(!r.viewEnabled());
}

void ConvertFilesTest::staleResultWordEnablesNothing()
{
    ReceiveDriver r;
    r.choose(true, 0, 1); // no source file chosen: nothing is converted
    r.typeTarget(QString::fromStdString(r.path("out.txt")));
    r.session->state.TransferStatus = "OK";
    r.session->state.DialogAnswer = "Cancel";
    ModalAnswerer answers(&r.session);
    r.folder.interaction.clear();
    r.click("ComConv");
    QVERIFY(!r.viewEnabled());
    QVERIFY(!QFile::exists(QString::fromStdString(r.path("out.txt"))));
    // Not a silent end: the user is told to choose the file first.
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(r.folder.interaction.messages[0].text),
             QString("Please select the file to convert first!"));
}

void ConvertFilesTest::blankTargetNames()
{
    ReceiveDriver r;
    const std::string temp = r.folder.folder() + "/Pemdrix.tem";
    const struct { bool file; const char* command; int message; } cases[] = {
        {true, "ComConv", 38},
        {false, "ComDLN", 40},
    };
    const std::string source = r.copyFixture("survey.raw");
    for (const auto& c : cases) {
        r.choose(c.file, 0, 1);
        if (c.file)
            r.chooseSource(source);
        r.typeTarget("   ");
        r.folder.interaction.clear();
        r.click(c.command);
        QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
        QCOMPARE(r.folder.interaction.messages[0].text, r.session->model.message(c.message));
        QVERIFY(!QFile::exists(QString::fromStdString(temp)));
    }
}

void ConvertFilesTest::downloadHandsReceivedDataToTheDispatch()
{
    ReceiveDriver r;
    const QByteArray received = ReadBytes(r.copyFixture("survey.raw"));
    const std::string target = r.path("job.txt");
    r.choose(false, 0, 2); // instrument raw data to MAPA 2
    Find<QCheckBox>(*r.session, "CheckOrigDF")->setChecked(true);
    r.typeTarget(QString::fromStdString(target));
    std::string tempSeen;
    r.seams().openPort = [](QWidget*) { return true; };
    r.seams().receiveFromInstrument = [&](QWidget*, const std::string& temp, const std::string&, const std::string&,
                                          const CompletionStep& completion) {
        tempSeen = temp;
        WriteBytes(temp, received);
        completion(false);
        return true;
    };
    r.click("ComDLN");
    QCOMPARE(QString::fromStdString(tempSeen), QString::fromStdString(r.folder.folder() + "/Pemdrix.tem"));
    QCOMPARE(ReadBytes(target), Direct(r, "ConvertRawToMapa2", tempSeen, 2));
    QCOMPARE(ReadBytes(r.path("job.zvk")), received); // the raw copy beside the target
    QVERIFY(r.viewEnabled());

    // Kind "Other", appended to the target that now exists.
    r.choose(false, 2, 0);
    r.typeTarget(QString::fromStdString(target));
    const QByteArray before = ReadBytes(target);
    ModalAnswerer answers(&r.session);
    answers.expect("F_Msg", "ComAppend");
    r.click("ComDLN");
    QVERIFY(answers.done());
    QCOMPARE(ReadBytes(target), before + received);
    QVERIFY(r.viewEnabled());
}

// Running out of memory while the download keeps its data ends the command (the
// application object tells the user); the main window it disabled is usable again.
void ConvertFilesTest::downloadThatRunsOutOfMemoryLeavesTheMainWindowEnabled()
{
    ReceiveDriver r;
    r.choose(false, 2, 0);
    r.typeTarget(QString::fromStdString(r.path("job.raw")));
    r.seams().openPort = [](QWidget*) { return true; };
    bool disabledMeanwhile = false;
    r.seams().receiveFromInstrument = [&](QWidget* owner, const std::string&, const std::string&, const std::string&,
                                          const CompletionStep&) -> bool {
        disabledMeanwhile = !owner->isEnabled();
        throw std::bad_alloc();
    };
    bool thrown = false;
    try {
        r.click("ComDLN");
    } catch (const std::bad_alloc&) {
        thrown = true;
    }
    QVERIFY(thrown);
    QVERIFY(disabledMeanwhile);
    QVERIFY(r.session->mainWindow->isEnabled());
}

void ConvertFilesTest::downloadStepsBeforeTheTransfer()
{
    ReceiveDriver r;
    int transfers = 0;
    r.seams().openPort = [](QWidget*) { return true; };
    r.seams().receiveFromInstrument = [&](QWidget*, const std::string& temp, const std::string&, const std::string&,
                                          const CompletionStep& completion) {
        ++transfers;
        WriteBytes(temp, "CO,x\r\n");
        completion(false);
        return true;
    };
    std::vector<SdrInstruction> boxes;
    r.seams().showSdrInstruction = [&](QWidget*, const SdrInstruction& box) { boxes.push_back(box); };

    r.choose(false, 0, 4); // SDR-33 raw data: the instruction box, then stored as received
    r.typeTarget(QString::fromStdString(r.path("job.sdr")));
    r.click("ComDLN");
    QCOMPARE(boxes.size(), size_t(1));
    QCOMPARE(boxes[0].caption, std::string("SDR-33"));
    QCOMPARE(boxes[0].lines, (std::vector<std::string>{"On the instrument select as download option:",
                                                       "Format: SDR-33", "Data: Raw"}));
    QCOMPARE(ReadBytes(r.path("job.sdr")), QByteArray("CO,x\r\n"));

    // Coordinate calculation: however its dialog is closed the download goes on, and
    // data without a usable record is kept beside the target.
    r.choose(false, 0, 7);
    r.typeTarget(QString::fromStdString(r.path("job.asc")));
    ModalAnswerer answers(&r.session);
    answers.expect("F_SetCalcCoo", "close");
    r.click("ComDLN");
    QVERIFY(answers.done());
    QCOMPARE(transfers, 2);
    QCOMPARE(ReadBytes(r.path("job.zvk")), QByteArray("CO,x\r\n"));
    QVERIFY(!r.viewEnabled());
}

// COM1 names an adapter that is not plugged in: message 15, the Settings page, no
// target and the main window usable again.
void ConvertFilesTest::downloadFromAMissingPortStoresNothing()
{
    ReceiveDriver r;
    QVERIFY(QFile::link("/dev/no-such-adapter", QString::fromStdString(r.folder.folder() + "/COM1")));
    r.choose(false, 2, 0);
    const std::string target = r.path("job.txt");
    r.typeTarget(QString::fromStdString(target));
    r.folder.interaction.clear();
    r.click("ComDLN");
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.folder.interaction.messages[0].text.substr(0, r.session->model.message(15).size() + 2),
             r.session->model.message(15) + "\r\n"); // then the device and the reason
    QCOMPARE(r.session->mainWindow->MainTab()->currentIndex(), 2);
    QVERIFY(!QFile::exists(QString::fromStdString(target)));
    QVERIFY(!r.viewEnabled());
    QVERIFY(r.session->mainWindow->isEnabled());
}

void ConvertFilesTest::downloadTargetMayNotBeTheTemporaryFile()
{
    ReceiveDriver r;
    const std::string temp = r.folder.folder() + "/Pemdrix.tem";
    WriteBytes(temp, "CO,received earlier\r\n");
    int ports = 0;
    r.seams().openPort = [&](QWidget*) {
        ++ports;
        return true;
    };
    r.choose(false, 2, 0);
    QDir(QString::fromStdString(r.folder.folder())).mkdir("sub");
    r.typeTarget(QString::fromStdString(r.folder.folder() + "/sub/../Pemdrix.tem"));
    r.folder.interaction.clear();
    r.click("ComDLN");
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.folder.interaction.messages[0].text,
             "The target file is the program's temporary file, which receives the data, " + temp + " (the target " +
                 r.folder.folder() + "/sub/../Pemdrix.tem leads to it): it cannot be written while it is read.\r\n"
                 "Please specify other name.");
    QCOMPARE(ports, 0);
    QCOMPARE(ReadBytes(temp), QByteArray("CO,received earlier\r\n"));
    QVERIFY(r.target().isEmpty());
    QVERIFY(!r.viewEnabled());
}

// The port comes before the instruction box: a port that cannot be opened ends the
// download on the Settings page with nothing shown and the temporary file as it was.
void ConvertFilesTest::portFailureShowsTheSettingsPage()
{
    ReceiveDriver r;
    const std::string temp = r.folder.folder() + "/Pemdrix.tem";
    WriteBytes(temp, "CO,left from an earlier run\r\n");
    int ports = 0;
    int boxes = 0;
    int transfers = 0;
    r.seams().openPort = [&](QWidget*) {
        ++ports;
        return false;
    };
    r.seams().showSdrInstruction = [&](QWidget*, const SdrInstruction&) { ++boxes; };
    r.seams().receiveFromInstrument = [&](QWidget*, const std::string&, const std::string&, const std::string&,
                                          const CompletionStep&) {
        ++transfers;
        return true;
    };
    r.choose(false, 0, 4); // SDR-33 raw data, which shows an instruction box
    r.typeTarget(QString::fromStdString(r.path("job.sdr")));
    r.click("ComDLN");
    QCOMPARE(ports, 1);
    QCOMPARE(boxes, 0);
    QCOMPARE(transfers, 0);
    QCOMPARE(r.session->mainWindow->MainTab()->currentIndex(), 2);
    QVERIFY(QFile::exists(QString::fromStdString(temp)));
    QCOMPARE(ReadBytes(temp), QByteArray("CO,left from an earlier run\r\n"));
    QVERIFY(!QFile::exists(QString::fromStdString(r.path("job.sdr"))));
    QVERIFY(!r.viewEnabled());
}

void ConvertFilesTest::aSourceWithoutLineEndsIsRefused_data()
{
    eachFormatOfTheFileLists_data();
}

// A wrong file chosen as the source, 1 GB without a line end (sparse): every format
// refuses it after its first bytes, names the file and the line, and leaves the old
// target as it was.
void ConvertFilesTest::aSourceWithoutLineEndsIsRefused()
{
    QFETCH(int, kind);
    QFETCH(int, position);
    QFETCH(QString, dialog);
    ReceiveDriver r;
    const std::string source = r.path("huge.raw");
    WriteBytes(source, kind == 0 ? "SS,P1,1.5," : "P1,1000,2000,");
    QVERIFY(QFile::resize(QString::fromStdString(source), 1'000'000'000));
    Prepare(r, kind, position, source);
    const std::string target = r.path("out.txt");
    WriteBytes(target, "old\r\n");
    r.typeTarget(QString::fromStdString(target));

    ModalAnswerer answers(&r.session);
    answers.expect("F_Msg", "ComOverwite");
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    r.folder.interaction.clear();
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    r.click("ComConv");
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);

    QVERIFY(answers.done());
    QCOMPARE(answers.answered.filter("unexpected").size(), 0);
    const auto& messages = r.folder.interaction.messages;
    QCOMPARE(messages.size(), size_t(1));
    QCOMPARE(messages[0].text, source + " is not a survey data file: line 1 is longer than 10000 characters."
                                        " The target file was not changed.");
    QCOMPARE(messages[0].icon, MessageIcon::Critical);
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("E"));
    QCOMPARE(ReadBytes(target), QByteArray("old\r\n"));
    QVERIFY(!r.viewEnabled());
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 32 * 1024, "the peak grew by more than 32 MB");
}

namespace {

// A raw-data format of the file list (position) or of the instrument list, its
// converter and the option dialog it shows first.
struct RawRoad {
    const char* row;
    int filePosition;
    int instrumentPosition;
    const char* converter;
    const char* dialog;
};
const RawRoad kRawRoads[] = {
    {"KOF", 0, 1, "ConvertRawToKOF", "F_KOFStp"},
    {"MAPA 2", 1, 2, "ConvertRawToMapa2", ""},
    {"Eghas", 2, 5, "ConvertRawToEghas", ""},
    {"NEDCAD", 3, 6, "ConvertRawToNedcad", ""},
    {"coordinate file", 4, 7, "CalcRawCoordinates", "F_SetCalcCoo"},
};

// What a transfer that ended inside a side shot at line 12 leaves, and what the
// warning says of it.
struct CutTail {
    const char* row;
    const char* tail;
    const char* told;
};
const CutTail kCutTails[] = {
    {"cut inside its zenith angle, no line end", "SS,P2,1.500,50.000,100.0000,1",
     "1 record(s) were left out because they are cut short: the last one, at line 12, has no line end (as when a"
     " transfer ends early)."},
    {"the zenith angle empty, no line end", "SS,P2,1.500,50.000,100.0000,",
     "1 record(s) were left out because they are cut short: the last one, at line 12, has no line end (as when a"
     " transfer ends early)."},
    {"cut before its zenith angle, then a line end", "SS,33,0.000,9.362,148.7\r\n",
     "1 record(s) were left out because they end before their last value (cut short, as when a transfer ends"
     " early), the first at line 12."},
};

} // namespace

void ConvertFilesTest::recordsCutShortAreLeftOutAndTold_data()
{
    QTest::addColumn<bool>("download");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("converter");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QString>("told");
    for (const bool download : {false, true})
        for (const RawRoad& road : kRawRoads)
            for (const CutTail& cut : kCutTails)
                QTest::addRow("%s raw to %s, %s", download ? "download" : "file", road.row, cut.row)
                    << download << (download ? road.instrumentPosition : road.filePosition) << road.converter
                    << road.dialog << QByteArray(cut.tail) << cut.told;
}

// What a transfer that ended inside a side shot leaves: the kept copy of it converted
// from the Receive tab, or the temporary file as the receive loop leaves it (the
// fragment without its line end) converted at once after the download. The target is
// what the whole records give, and the one warning after the run says what was left out.
void ConvertFilesTest::recordsCutShortAreLeftOutAndTold()
{
    QFETCH(bool, download);
    QFETCH(int, position);
    QFETCH(QString, converter);
    QFETCH(QString, dialog);
    QFETCH(QByteArray, tail);
    QFETCH(QString, told);
    ReceiveDriver r;
    const std::string whole = r.copyFixture("survey.raw");
    const QByteArray received = ReadBytes(whole) + tail;
    const std::string target = r.path("out.txt");
    ModalAnswerer answers(&r.session);
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    if (download) {
        r.choose(false, 0, position);
        r.seams().openPort = [](QWidget*) { return true; };
        r.seams().receiveFromInstrument = [&](QWidget*, const std::string& temp, const std::string&,
                                              const std::string&, const CompletionStep& complete) {
            WriteBytes(temp, received);
            complete(!received.endsWith('\n') && !received.endsWith('\r'));
            return true;
        };
    } else {
        const std::string source = r.path("cut.zvk");
        WriteBytes(source, received);
        Prepare(r, 0, position, source);
        answers.expect("F_MsgCon", "ComOK");
    }
    r.typeTarget(QString::fromStdString(target));
    r.folder.interaction.clear();
    r.click(download ? "ComDLN" : "ComConv");

    QVERIFY(answers.done());
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("OK"));
    QCOMPARE(ReadBytes(target), Direct(r, converter.toLatin1().constData(), whole, 2));
    const auto& messages = r.folder.interaction.messages;
    QCOMPARE(messages.size(), size_t(1));
    QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
    QVERIFY2(QString::fromStdString(messages[0].text).endsWith(told), messages[0].text.c_str());
}

// Point-number conversion on, its file in the program folder: a good file converts the
// names; then the file the reader refuses (1 GB without a line end, sparse) and a
// missing one each stop the conversion with a box that names the file: no "Conversion
// finished", and the target keeps what the good run wrote (the names of the first
// file's table are not used for another file).
void ConvertFilesTest::aPointNumberFileThatCannotBeReadStopsTheConversion()
{
    ReceiveDriver r;
    QByteArray ini = r.folder.iniBytes();
    ini.replace("\r\nUsePointNumberConversion = 0\r\n", "\r\nUsePointNumberConversion = 1\r\n");
    ini.replace("\r\nKofpointFile=\r\n", "\r\nKofpointFile=points.txt\r\n");
    r.session.reset();
    r.folder.writeIni(ini);
    r.session = r.folder.start();
    const std::string points = FromQt(QDir(r.folder.path()).filePath("points.txt"));
    WriteBytes(points, "12=RV\r\n");
    const std::string source = r.path("names.asc");
    WriteBytes(source, "12345,6500100.000,500200.000,12.345,TREE\r\n");
    const std::string target = r.path("out.kof");
    const struct { const char* what; bool exists; std::string told; } runs[] = {
        {"good", true, ""},
        {"no line end", true, points + " is not a survey data file: line 1 is longer than 10000 characters."},
        {"missing", false, points + " not found"},
    };
    QByteArray converted;
    for (const auto& run : runs) {
        if (!run.told.empty()) {
            QFile::remove(ToQt(points));
            if (run.exists) {
                WriteBytes(points, "12=");
                QVERIFY(QFile::resize(ToQt(points), 1'000'000'000));
            }
        }
        Prepare(r, 1, 1, source);
        r.typeTarget(QString::fromStdString(target));
        ModalAnswerer answers(&r.session);
        if (!converted.isEmpty())
            answers.expect("F_Msg", "ComOverwite");
        answers.expect("F_KOFStp", "ComOK");
        if (run.told.empty())
            answers.expect("F_MsgCon", "ComOK");
        r.folder.interaction.clear();
        r.click("ComConv");
        QVERIFY2(answers.done(), run.what);
        QCOMPARE(answers.answered.filter("unexpected").size(), 0); // no "Conversion finished"
        if (run.told.empty()) {
            converted = ReadBytes(target);
            QVERIFY2(converted.contains(" 05 RV345"), converted.constData());
            continue;
        }
        const auto& messages = r.folder.interaction.messages;
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, run.told + "\r\nThe KOF conversion was stopped: nothing was converted, and " +
                                       target + " was not changed.");
        QCOMPARE(messages[0].title, "Load " + points);
        QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("E"));
        QCOMPARE(ReadBytes(target), converted);
        QVERIFY(!r.viewEnabled());
    }
}

// A coordinate file into DXF on a disk that fills up while the drawing is written: the
// box names the target and says that it was not changed (an existing file) or not made
// (a new name), no "Conversion finished", and nothing is left in the folder.
void ConvertFilesTest::aFullDiskNamesTheTargetAndLeavesItAsItWas()
{
    ReceiveDriver r;
    QByteArray points;
    for (int i = 0; i < 3000; ++i)
        points += "P" + QByteArray::number(i) + ",6500100.000,500" + QByteArray::number(100 + i) + ".000,12.345,TREE\r\n";
    const std::string source = r.path("points.asc");
    WriteBytes(source, points);
    FullDiskFolder full(QString::fromStdString(r.path("full")));
    const std::string existing = r.path("full/plan.dxf");
    WriteBytes(existing, "old\r\n");
    const struct { std::string target; const char* told; } runs[] = {
        {existing, "It was not changed: it holds what it held before."},
        {r.path("full/new.dxf"), "No file of that name was made."},
    };
    for (const auto& run : runs) {
        Prepare(r, 1, 0, source);
        r.typeTarget(QString::fromStdString(run.target));
        ModalAnswerer answers(&r.session);
        if (run.target == existing)
            answers.expect("F_Msg", "ComOverwite");
        answers.expect("F_Dxf", "ComOK");
        r.folder.interaction.clear();
        full.fill();
        r.click("ComConv");
        full.release();
        QVERIFY(answers.done());
        QCOMPARE(answers.answered.filter("unexpected").size(), 0); // no "Conversion finished"
        const auto& messages = r.folder.interaction.messages;
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, "Disk full: " + run.target + " could not be written. " + run.told);
        QCOMPARE(messages[0].icon, MessageIcon::Critical);
        QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("E"));
        QVERIFY(!r.viewEnabled());
    }
    QCOMPARE(ReadBytes(existing), QByteArray("old\r\n"));
    QCOMPARE(QDir(QString::fromStdString(r.path("full"))).entryList(QDir::Files | QDir::Hidden), QStringList({"plan.dxf"}));
    if (!full.mounted())
        qInfo("the full disk was a file size limit: no file system could be mounted");
}

QTEST_MAIN(ConvertFilesTest)
#include "tst_ConvertFiles.moc"
