#include "UploadBench.h"

#include "BenchData.h"

#include "app/gui/QtText.h"
#include "link/SerialLink.h"
#include "link/UploadSender.h"
#include "link/core/PortSettings.h"
#include "link/core/UploadBuilders.h"
#include "platform/ByteSink.h"
#include "platform/LineReader.h"
#include "support/InstrumentSimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>

using tavrelo::test::InstrumentSimulator;

namespace tavrelo::bench {

namespace {

constexpr int64_t kPoints = 100000;

double Seconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int UploadBench(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    InstrumentSimulator instrument(folder.path());
    if (!instrument.isValid()) {
        std::fprintf(stderr, "upload: no pseudo-terminal: %s\n", qPrintable(instrument.errorString()));
        return 1;
    }
    const std::string list = FromQt(folder.filePath("points.asc"));
    const std::string lines = FromQt(folder.filePath("Pemdrix.tem"));
    if (!GenerateCoordinateFile(kPoints, list)) {
        std::fprintf(stderr, "upload: cannot write %s\n", list.c_str());
        return 1;
    }

    QElapsedTimer build;
    build.start();
    FileSink temp(lines, FileSink::Mode::Truncate);
    const UploadBuild built = CreateUpLoadFileComma(list, temp, UploadOptions());
    const bool written = temp.close() && built.ok();
    const double buildSeconds = Seconds(build);

    SerialLink port;
    if (!written || !port.open(PortDeviceName(FromQt(folder.path()), 1), PortSettings())) {
        std::fprintf(stderr, "upload: %s\n", written ? qPrintable(port.errorString()) : "upload lines not built");
        return 1;
    }
    UploadSender sender(port);
    bool complete = false;
    QEventLoop loop;
    QObject::connect(&sender, &UploadSender::finished, [&](bool done, const QString&) {
        complete = done;
        loop.quit();
    });
    QElapsedTimer send;
    send.start();
    sender.start(lines);
    loop.exec();
    const double sendSeconds = Seconds(send);
    port.close();

    std::string expected;
    ReadWholeFile(lines, expected);
    QElapsedTimer wait;
    wait.start();
    while (instrument.captured().size() < static_cast<qsizetype>(expected.size()) && wait.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const bool whole = complete && instrument.captured() == QByteArray::fromStdString(expected);
    std::fprintf(stderr, "upload %lld points: build %.2f s (%.0f lines/s), send %.2f s (%.0f lines/s), %s\n",
                 static_cast<long long>(built.lines), buildSeconds,
                 buildSeconds > 0 ? static_cast<double>(built.lines) / buildSeconds : 0.0, sendSeconds,
                 sendSeconds > 0 ? static_cast<double>(sender.linesSent()) / sendSeconds : 0.0,
                 whole ? "every line received" : "LINES LOST");
    return whole ? 0 : 1;
}

} // namespace tavrelo::bench
