#include "DownloadBench.h"

#include "app/gui/QtText.h"
#include "link/DownloadSession.h"
#include "link/SerialLink.h"
#include "link/core/PortSettings.h"
#include "platform/ByteSink.h"
#include "support/InstrumentSimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>


using tavrelo::test::InstrumentSimulator;

namespace tavrelo::bench {

namespace {

constexpr int kMegabytes = 10;

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

} // namespace

QByteArray InstrumentData(QByteArray& kept)
{
    QByteArray sent;
    for (int i = 0; sent.size() < kMegabytes * 1024 * 1024; ++i) {
        const QByteArray line = "SS,P" + QByteArray::number(i) + ",1.500,123.4560,98.7650,1000.123,CODE";
        sent += line;
        if (i % 101 == 0)
            sent += QByteArray("\0\x80", 2);
        sent += "\r\n";
        kept += line + "\r\n";
    }
    return sent;
}

int DownloadBench(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    InstrumentSimulator instrument(folder.path());
    if (!instrument.isValid()) {
        std::fprintf(stderr, "download: no pseudo-terminal: %s\n", qPrintable(instrument.errorString()));
        return 1;
    }
    QByteArray kept;
    const QByteArray sent = InstrumentData(kept);
    const std::string file = FromQt(folder.filePath("received.tem"));

    SerialLink port;
    if (!port.open(PortDeviceName(FromQt(folder.path()), 1), PortSettings())) {
        std::fprintf(stderr, "download: port not opened: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    FileSink sink(file, FileSink::Mode::Truncate);
    DownloadSession session(port, sink);
    QElapsedTimer wall;
    double cpuStart = 0;
    double seconds = 0;
    double cpu = 0;
    // The time from the first byte to the last line written; the silence that ends
    // the download is the instrument's, not the program's.
    QObject::connect(&session, &DownloadSession::progress, [&](qint64 bytes) {
        if (!wall.isValid()) {
            wall.start();
            cpuStart = ThreadCpuSeconds();
        }
        if (bytes + 2 * session.receiver().lineCount() == kept.size()) {
            seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
            cpu = ThreadCpuSeconds() - cpuStart;
        }
    });
    QEventLoop loop;
    QObject::connect(&session, &DownloadSession::finished, &loop, &QEventLoop::quit);
    instrument.start({InstrumentSimulator::Step::Send(0, sent)});
    session.start();
    loop.exec();
    sink.close();

    QFile written(ToQt(file));
    const bool whole = written.open(QIODevice::ReadOnly) && written.readAll() == kept;
    const double megabytes = static_cast<double>(sent.size()) / (1024.0 * 1024.0);
    std::fprintf(stderr, "download %.1f MB: %.2f s, %.1f MB/s, %.3f CPU s/MB, %s\n", megabytes, seconds,
                 seconds > 0 ? megabytes / seconds : 0.0, cpu / megabytes,
                 whole ? "every kept byte in the file" : "DATA LOST");
    return whole ? 0 : 1;
}

} // namespace tavrelo::bench
