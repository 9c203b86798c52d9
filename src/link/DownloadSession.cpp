#include "link/DownloadSession.h"

#include "link/SerialLink.h"
#include "platform/ByteSink.h"
#include "platform/RunError.h"

namespace tavrelo {

DownloadSession::DownloadSession(SerialLink& port, ByteSink& file, QObject* parent)
    : QObject(parent)
    , m_port(port)
    , m_file(file)
    , m_receiver(file)
{
    m_silence.setSingleShot(true);
    m_silence.setTimerType(Qt::PreciseTimer);
    connect(&m_silence, &QTimer::timeout, this, &DownloadSession::onSilenceCheck);
    connect(&m_port, &SerialLink::dataArrived, this, &DownloadSession::onData);
    connect(&m_port, &SerialLink::failed, this, &DownloadSession::onPortFailed);
}

void DownloadSession::start()
{
    m_lastActivity.start();
    // The port may have failed while a dialog stood before the download.
    if (!m_port.isOpen()) {
        onPortFailed(m_port.errorString());
        return;
    }
    onData();
}

void DownloadSession::cancel()
{
    finish(DownloadOutcome::Cancelled);
}

// Every byte, a byte 0 left out too, is activity; the silence check is armed once when
// the data starts and re-arms itself for whatever time is left.
void DownloadSession::onData()
{
    if (m_outcome != DownloadOutcome::Running)
        return;
    const QByteArray bytes = m_port.readAll();
    if (bytes.isEmpty())
        return;
    m_lastActivity.restart();
    const int64_t linesBefore = m_receiver.lineCount();
    const int64_t bytesBefore = m_receiver.byteCount();
    m_receiver.take(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (m_receiver.lineCount() != linesBefore || m_receiver.byteCount() != bytesBefore)
        emit progress(m_receiver.byteCount());
    if (m_file.failed() || m_receiver.lineTooLong()) {
        m_errorNumber = m_file.failed() ? m_file.error() : RunError::LineTooLong;
        m_errorString = QString::fromStdString(RunErrorDescription(m_errorNumber));
        finish(DownloadOutcome::Failed);
        return;
    }
    if (m_receiver.dataStarted() && !m_silence.isActive())
        m_silence.start(kSilenceMs + 1);
}

// The silence has lasted long enough: one more pass of the event loop first, so that
// bytes the port has but has not yet announced are taken before the end is decided.
void DownloadSession::onSilenceCheck()
{
    if (m_outcome != DownloadOutcome::Running)
        return;
    if (!silent()) {
        m_confirming = false;
        m_silence.start(static_cast<int>(kSilenceMs + 1 - m_lastActivity.elapsed()));
        return;
    }
    if (!m_confirming) {
        m_confirming = true;
        m_silence.start(0);
        return;
    }
    finish(DownloadOutcome::Complete);
}

void DownloadSession::onPortFailed(const QString& reason)
{
    if (m_outcome != DownloadOutcome::Running)
        return;
    m_errorNumber = RunError::DeviceUnavailable;
    m_errorString = QString::fromStdString(RunErrorDescription(m_errorNumber));
    if (!reason.isEmpty())
        m_errorString += QStringLiteral(" (%1)").arg(reason);
    finish(DownloadOutcome::Failed);
}

void DownloadSession::finish(DownloadOutcome outcome)
{
    if (m_outcome != DownloadOutcome::Running)
        return;
    m_outcome = outcome;
    m_silence.stop();
    m_port.close();
    emit finished();
}

} // namespace tavrelo
