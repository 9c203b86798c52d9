// Converting from the Receive tab end to end: a raw-data file and a coordinate file
// into each format of their lists, the option dialog and the Append / Overwite /
// Cancel question answered, and a download's received data handed to the dispatch.
// Targets are compared with the converter run directly on the same input.
#include "helper_Receive.h"

#include "conversion/ConverterRegistry.h"

#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>

#include <new>

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

void ConvertFilesTest::targetMayNotBeTheSource()
{
    ReceiveDriver r;
    const std::string source = r.copyFixture("survey.raw");
    const QByteArray before = ReadBytes(source);
    Prepare(r, 0, 1, source);
    QDir(r.work.path()).mkdir("sub");
    // Another spelling of the same file, with blanks around it.
    r.typeTarget("  " + QString::fromStdString(r.path("sub/../survey.raw")) + " ");
    r.folder.interaction.clear();
    ModalAnswerer answers(&r.session);
    r.click("ComConv");
    QCOMPARE(answers.answered, QStringList());
    QCOMPARE(r.folder.interaction.messages.size(), size_t(1));
    QCOMPARE(r.folder.interaction.messages[0].text, r.session->model.message(13));
    QVERIFY(r.target().isEmpty());
    QCOMPARE(ReadBytes(source), before);
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
    r.seams().receiveFromInstrument = [&](QWidget*, const std::string& temp, const std::string&, const std::string&) {
        tempSeen = temp;
        WriteBytes(temp, received);
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
    r.seams().receiveFromInstrument = [&](QWidget* owner, const std::string&, const std::string&, const std::string&)
        -> bool {
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
    r.seams().receiveFromInstrument = [&](QWidget*, const std::string& temp, const std::string&, const std::string&) {
        ++transfers;
        WriteBytes(temp, "CO,x\r\n");
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
    QCOMPARE(r.folder.interaction.messages[0].text, r.session->model.message(13));
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
    r.seams().receiveFromInstrument = [&](QWidget*, const std::string&, const std::string&, const std::string&) {
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

void ConvertFilesTest::recordsCutShortAreLeftOutAndTold_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("converter");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("raw to KOF") << 0 << "ConvertRawToKOF" << "F_KOFStp";
    QTest::newRow("raw to MAPA 2") << 1 << "ConvertRawToMapa2" << "";
    QTest::newRow("raw to Eghas") << 2 << "ConvertRawToEghas" << "";
    QTest::newRow("raw to NEDCAD") << 3 << "ConvertRawToNedcad" << "";
    QTest::newRow("raw to coordinate file") << 4 << "CalcRawCoordinates" << "F_SetCalcCoo";
}

// The kept copy of a transfer that ended inside a side shot: the target is what the
// whole records give, and the warning after the run says what was left out.
void ConvertFilesTest::recordsCutShortAreLeftOutAndTold()
{
    QFETCH(int, position);
    QFETCH(QString, converter);
    QFETCH(QString, dialog);
    ReceiveDriver r;
    const std::string whole = r.copyFixture("survey.raw");
    const std::string source = r.path("cut.zvk");
    WriteBytes(source, ReadBytes(whole) + "SS,33,0.000,9.362,148.7");
    Prepare(r, 0, position, source);
    r.typeTarget(QString::fromStdString(r.path("out.txt")));

    ModalAnswerer answers(&r.session);
    if (!dialog.isEmpty())
        answers.expect(dialog.toLatin1(), "ComOK");
    answers.expect("F_MsgCon", "ComOK");
    r.folder.interaction.clear();
    r.click("ComConv");

    QVERIFY(answers.done());
    QCOMPARE(QString::fromStdString(r.session->state.TransferStatus), QString("OK"));
    QCOMPARE(ReadBytes(r.path("out.txt")), Direct(r, converter.toLatin1().constData(), whole, 2));
    const auto& messages = r.folder.interaction.messages;
    QCOMPARE(messages.size(), size_t(1));
    QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
    const std::string told = "1 record(s) were left out because they end before their last value (cut short, as"
                             " when a transfer ends early), the first at line 12.";
    QVERIFY2(messages[0].text.size() >= told.size() &&
                 messages[0].text.compare(messages[0].text.size() - told.size(), told.size(), told) == 0,
             messages[0].text.c_str());
}

QTEST_MAIN(ConvertFilesTest)
#include "tst_ConvertFiles.moc"
