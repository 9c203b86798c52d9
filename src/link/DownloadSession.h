#pragma once
// One download from the instrument, driven by the port's signals: each chunk of bytes
// goes through the wire rules into the temporary file, and the download ends after
// more than kSilenceMs without any byte once the data has started, on cancel(), or as
// a failure when the port fails (a pulled cable or adapter), the file cannot be
// written or a line grows past the readers' limit (no survey data: a wrong speed or
// data bits setting sends no CR). Before the data starts no silence ends it. The silence is measured on a
// monotonic clock, so a change of the time of day neither ends nor freezes it.
#include "link/core/DownloadReceiver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tavrelo {

class ByteSink;
class SerialLink;

enum class DownloadOutcome { Running, Complete, Cancelled, Failed };

class DownloadSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kSilenceMs = 3000;

    // port: open; file: where the received lines go.
    DownloadSession(SerialLink& port, ByteSink& file, QObject* parent = nullptr);

    // Takes bytes already waiting, then every chunk as it comes.
    void start();
    void cancel();

    DownloadOutcome outcome() const { return m_outcome; }
    // After a failure: its number (68 the device went away, RunError::LineTooLong a
    // line too long, else the file's write failure) and the port's own words where it
    // was the port.
    int errorNumber() const { return m_errorNumber; }
    QString errorString() const { return m_errorString; }
    const DownloadReceiver& receiver() const { return m_receiver; }

signals:
    // Characters or lines were written; byteCount is the running count of kept characters.
    void progress(qint64 byteCount);
    void finished();

private:
    void onData();
    void onSilenceCheck();
    void onPortFailed(const QString& reason);
    void finish(DownloadOutcome outcome);
    bool silent() const { return m_lastActivity.elapsed() > kSilenceMs; }

    SerialLink& m_port;
    ByteSink& m_file;
    DownloadReceiver m_receiver;
    QElapsedTimer m_lastActivity;
    QTimer m_silence;
    bool m_confirming = false;
    DownloadOutcome m_outcome = DownloadOutcome::Running;
    int m_errorNumber = 0;
    QString m_errorString;
};

} // namespace tavrelo
