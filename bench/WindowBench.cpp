#include "WindowBench.h"

#include "BenchData.h"
#include "DownloadBench.h"

#include "app/gui/QtText.h"
#include "link/F_DL.h"
#include "link/F_UL.h"
#include "link/InstrumentDownload.h"
#include "link/PortSetup.h"
#include "link/SerialLink.h"
#include "link/core/DownloadReceiver.h"
#include "platform/LineReader.h"
#include "support/InstrumentSimulator.h"
#include "support/LinkFolder.h"
#include "support/PaintRecorder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <cstdio>
#include <functional>

using tavrelo::test::InstrumentSimulator;
using tavrelo::test::LinkFolder;
using tavrelo::test::PaintRecorder;

namespace tavrelo::bench {

namespace {

constexpr int64_t kPoints = 100000;

double Seconds(qint64 ns)
{
    return static_cast<double>(ns) / 1e9;
}

// Runs the event loop until done() or timeoutMs.
void WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer wait;
    wait.start();
    while (!done() && wait.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

int64_t LinesIn(const QByteArray& bytes)
{
    return bytes.count("\r\n");
}

// A program folder with its settings file and the simulated instrument on COM1.
struct Rig {
    explicit Rig(const char* mode)
        : instrument(folder.path())
    {
        ready = folder.isValid() && instrument.isValid();
        if (!ready)
            std::fprintf(stderr, "%s: no program folder or pseudo-terminal: %s\n", mode,
                         qPrintable(instrument.errorString()));
    }
    LinkFolder folder;
    InstrumentSimulator instrument;
    bool ready = false;
};

} // namespace

int DownloadWindowBench(int argc, char** argv)
{
    QApplication app(argc, argv);
    Rig rig("download-window");
    if (!rig.ready)
        return 1;
    LinkFolder& folder = rig.folder;
    InstrumentSimulator& instrument = rig.instrument;
    QByteArray kept;
    const QByteArray sent = InstrumentData(kept);
    const QString expectedCount =
        QString::fromStdString(ByteCountText(kept.size() - 2 * LinesIn(kept)));

    InstrumentDownload download(folder.model, folder.state, folder.ui);
    if (!download.OpenPortDL()) {
        std::fprintf(stderr, "download-window: port not opened: %s\n", qPrintable(download.window().Comm().errorString()));
        return 1;
    }
    F_DL& window = download.window();
    auto* label = window.findChild<QLabel*>("LbRAWdata");
    PaintRecorder watch(label, [label] { return label->text(); });
    const QElapsedTimer& clock = watch.clock();
    // The first byte, and the end of the handling of the last read (queued, so it runs
    // after the receive loop's own handler).
    qint64 firstNs = -1;
    qint64 lastNs = -1;
    int paintsAtLastData = 0;
    QObject::connect(&window.Comm(), &SerialLink::dataArrived, &app, [&] {
        if (firstNs < 0)
            firstNs = clock.nsecsElapsed();
    });
    QObject::connect(
        &window.Comm(), &SerialLink::dataArrived, &app,
        [&] {
            lastNs = clock.nsecsElapsed();
            paintsAtLastData = watch.paints;
        },
        Qt::QueuedConnection);
    instrument.start({InstrumentSimulator::Step::Send(0, sent)});
    const bool complete = download.ReceiveData(nullptr, folder.file("Pemdrix.tem"), "Zarel RAW data");

    QFile written(ToQt(folder.file("Pemdrix.tem")));
    const bool whole = complete && written.open(QIODevice::ReadOnly) && written.readAll() == kept;
    const QString lastShown = watch.shown.isEmpty() ? QString() : watch.shown.last();
    const bool exact = lastShown == expectedCount;
    const double megabytes = static_cast<double>(sent.size()) / (1024.0 * 1024.0);
    const double seconds = Seconds(lastNs - firstNs);
    std::fprintf(stderr,
                 "download-window %.1f MB (%s): %.2f s, %.1f MB/s; byte count painted %d times during the "
                 "transfer, last shown %.0f ms after the last byte: \"%s\" (%s); %s\n",
                 megabytes, qPrintable(QGuiApplication::platformName()), seconds,
                 seconds > 0 ? megabytes / seconds : 0.0, paintsAtLastData,
                 Seconds(watch.lastPaintNs - lastNs) * 1000.0, qPrintable(lastShown),
                 exact ? "exact" : "NOT THE COUNT RECEIVED", whole ? "every kept byte in the file" : "DATA LOST");
    return whole && exact ? 0 : 1;
}

int UploadWindowBench(int argc, char** argv)
{
    QApplication app(argc, argv);
    Rig rig("upload-window");
    if (!rig.ready)
        return 1;
    LinkFolder& folder = rig.folder;
    InstrumentSimulator& instrument = rig.instrument;
    UploadJob job;
    job.inputPath = folder.file("points.asc");
    job.tempPath = folder.file("Pemdrix.tem");
    job.texts = ChosenTransferTexts(folder.model, "Coordinate file");
    if (!GenerateCoordinateFile(kPoints, job.inputPath)) {
        std::fprintf(stderr, "upload-window: cannot write %s\n", job.inputPath.c_str());
        return 1;
    }
    F_UL window(folder.model, folder.state, folder.ui);
    window.prepare(job);
    folder.state.TransferStatus = "Comma";
    if (!OpenPort(window.link(), folder.model, folder.state, folder.ui)) {
        std::fprintf(stderr, "upload-window: port not opened: %s\n", qPrintable(window.link().errorString()));
        return 1;
    }
    window.open();
    WaitFor([&] { return instrument.portOpen() && window.isVisible(); }, 5000);
    WaitFor([] { return false; }, 200); // mapped and painted before Send

    QProgressBar* bar = window.PrBar();
    PaintRecorder watch(bar, [bar] { return QString::number(bar->value()); });
    const QElapsedTimer& clock = watch.clock();
    bool ended = false;
    QObject::connect(&window, &QDialog::finished, &app, [&] { ended = true; });
    const qint64 startNs = clock.nsecsElapsed();
    window.findChild<QPushButton*>("ComSend")->click();
    WaitFor([&] { return ended; }, 600000);
    const qint64 endNs = clock.nsecsElapsed();

    std::string expected;
    ReadWholeFile(job.tempPath, expected);
    WaitFor([&] { return instrument.captured().size() >= static_cast<qsizetype>(expected.size()); }, 10000);
    const QByteArray captured = instrument.captured();
    const bool whole = folder.state.TransferStatus == "UpOK" && captured == QByteArray::fromStdString(expected);
    const bool full = bar->value() == bar->maximum();
    const int64_t lines = LinesIn(captured);
    const double seconds = Seconds(endNs - startNs);
    std::fprintf(stderr,
                 "upload-window %lld points (%s): %lld lines built and sent in %.2f s, %.0f lines/s; progress bar "
                 "painted %d times, at %d of %d (%s); %s\n",
                 static_cast<long long>(kPoints), qPrintable(QGuiApplication::platformName()),
                 static_cast<long long>(lines), seconds, seconds > 0 ? static_cast<double>(lines) / seconds : 0.0,
                 watch.paints, bar->value(), bar->maximum(), full ? "full" : "NOT FULL",
                 whole ? "every line received" : "LINES LOST");
    return whole && full ? 0 : 1;
}

} // namespace tavrelo::bench
