#pragma once
// The line sender of an upload: sends the lines of the temporary file in order
// through the serial link, each trimmed and ended by CR LF, blank ones skipped. There
// is no acknowledgement from the instrument; pacing is the port's flow control. Whole
// lines go out in small batches, the next batch only when the port has taken the
// previous one, so a hold by XOFF holds the sender, and the upload counts as complete
// only when the device has sent every byte (a UART's own buffer drained too), so
// closing the port after it loses nothing. Cancel, a write error or a port error (a pulled cable) ends it as
// incomplete, whatever was sent before.
#include "platform/LineReader.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <string>

namespace tavrelo {

class SerialLink;

class UploadSender : public QObject {
    Q_OBJECT
public:
    explicit UploadSender(SerialLink& link, QObject* parent = nullptr);

    // Starts sending the file's lines; false (nothing sent) when it cannot be read.
    bool start(const std::string& path);
    // Stops before the next line; finished(false) follows at once. Nothing when idle.
    void cancel();
    bool running() const { return m_running; }
    int64_t linesSent() const { return m_sent; }

signals:
    // The count of lines the port has taken so far.
    void progress(qint64 linesSent);
    // complete: every line taken by the port. reason: why the port failed ("" when the
    // upload was cancelled or complete).
    void finished(bool complete, const QString& reason);

private:
    void sendNext();
    void onAllWritten();
    void onFailed(const QString& reason);
    void checkDrained();
    void finish(bool complete, const QString& reason);

    SerialLink& m_link;
    LineReader m_reader;
    bool m_running = false;
    int64_t m_waiting = 0; // lines handed to the link, not yet taken by the port
    int64_t m_sent = 0;
    QTimer m_drain; // after the last line: looks for the device's buffer to empty
};

} // namespace tavrelo
