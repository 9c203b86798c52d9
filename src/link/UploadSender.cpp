#include "link/UploadSender.h"

#include "link/SerialLink.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

// How often the device's own send buffer is looked at after the last line.
constexpr int kDrainPollMs = 20;

// Lines are handed over together up to about this many bytes (the size of the
// instrument port's transmit buffer): one line per pass of the event loop would make
// the loop, not the port, set the pace.
constexpr qsizetype kBatchBytes = 512;

} // namespace

UploadSender::UploadSender(SerialLink& link, QObject* parent)
    : QObject(parent)
    , m_link(link)
{
    connect(&m_link, &SerialLink::allWritten, this, &UploadSender::onAllWritten);
    connect(&m_link, &SerialLink::failed, this, &UploadSender::onFailed);
    m_drain.setInterval(kDrainPollMs);
    connect(&m_drain, &QTimer::timeout, this, &UploadSender::checkDrained);
}

bool UploadSender::start(const std::string& path)
{
    if (m_running || !m_reader.open(path))
        return false;
    m_running = true;
    m_sent = 0;
    sendNext();
    return true;
}

void UploadSender::sendNext()
{
    QByteArray batch;
    int64_t lines = 0;
    std::string line;
    while (batch.size() < kBatchBytes && m_reader.next(line)) {
        const std::string_view text = TrimBlanks(line);
        if (text.empty())
            continue;
        batch.append(text.data(), static_cast<qsizetype>(text.size()));
        batch.append("\r\n");
        ++lines;
    }
    if (lines > 0) {
        m_waiting = lines;
        if (!m_link.write(batch))
            finish(false, m_link.errorString().isEmpty() ? QStringLiteral("The port refused the data.")
                                                         : m_link.errorString());
        return;
    }
    if (m_reader.error() != 0) {
        finish(false, QStringLiteral("The upload file could not be read to its end."));
        return;
    }
    checkDrained();
}

void UploadSender::checkDrained()
{
    if (!m_running)
        return;
    if (m_link.deviceBytesToWrite() > 0) {
        m_drain.start();
        return;
    }
    finish(true, QString());
}

void UploadSender::onAllWritten()
{
    if (!m_running || !m_waiting)
        return;
    m_sent += m_waiting;
    m_waiting = 0;
    emit progress(m_sent);
    if (m_running)
        sendNext();
}

void UploadSender::onFailed(const QString& reason)
{
    if (m_running)
        finish(false, reason);
}

void UploadSender::cancel()
{
    if (m_running)
        finish(false, QString());
}

void UploadSender::finish(bool complete, const QString& reason)
{
    m_running = false;
    m_waiting = 0;
    m_drain.stop();
    m_reader.close();
    emit finished(complete, reason);
}

} // namespace tavrelo
