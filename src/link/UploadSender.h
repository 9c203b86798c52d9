#pragma once
// The line sender of an upload: sends the lines of the temporary file in order
// through the serial link, each trimmed and ended by CR LF, blank ones skipped. There
// is no acknowledgement from the instrument; pacing is the port's flow control.
//
// At most one line is in the device's hands: the next is handed over only when the
// device has sent the one before (its own buffer, a UART's, drained too), and what
// the device does not take at once stays with the sender. So a hold by XOFF holds the
// sender, after Cancel at most the line in hand goes out, and the progress bar counts
// the lines sent, one by one. A pseudo-terminal keeps nothing back, so it is offered
// a few lines at a time. Many lines go in one pass of the event loop, which runs
// between passes for Cancel and painting. The upload counts as complete only when the
// device has sent every byte, so closing the port after it loses nothing. Cancel, a
// write error or a port error (a pulled cable) ends it as incomplete, whatever was
// sent before.
#include "platform/LineReader.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <string>
#include <vector>

namespace tavrelo {

class SerialLink;

class UploadSender : public QObject {
    Q_OBJECT
public:
    explicit UploadSender(SerialLink& link, QObject* parent = nullptr);

    // Starts sending the file's lines; false (nothing sent) when it cannot be read.
    bool start(const std::string& path);
    // Stops before the next line; finished(false) follows at once, or once the device
    // has taken the rest of a line it took in part. Nothing when idle.
    void cancel();
    bool running() const { return m_running; }
    int64_t linesSent() const { return m_sent; }

signals:
    // The count of lines the device has sent so far, after each line.
    void progress(qint64 linesSent);
    // complete: every line taken by the port. reason: why the port failed ("" when the
    // upload was cancelled or complete).
    void finished(bool complete, const QString& reason);

private:
    void sendLines();
    bool takeLines();
    bool offer();
    bool linesGone();
    void lookAgain();
    void finishLineInHand();
    void onFailed(const QString& reason);
    void endOfLines();
    void checkDrained();
    void finish(bool complete, const QString& reason);

    SerialLink& m_link;
    LineReader m_reader;
    bool m_running = false;
    bool m_stopping = false;        // cancelled; the line in hand still goes out whole
    QElapsedTimer m_stopClock;
    qsizetype m_offerBytes = 0;     // how much the device is offered at a time
    QByteArray m_out;               // whole lines taken from the file, not yet sent
    qsizetype m_taken = 0;          // bytes of m_out the device has taken
    bool m_tookPart = false;        // the last offer was taken in part
    std::vector<qsizetype> m_ends;  // where each line of m_out ends
    size_t m_counted = 0;           // lines of m_out counted as sent
    int64_t m_sent = 0;
    QTimer m_nextPass; // the next pass of lines, after the event loop has run
    QTimer m_linePoll; // while the device holds back or still holds the line in hand
    QTimer m_drain;    // after the last line: looks for the device's buffer to empty
};

} // namespace tavrelo
