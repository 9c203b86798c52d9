#include "link/UploadSender.h"

#include "link/SerialLink.h"
#include "platform/TextRules.h"

#include <QElapsedTimer>

namespace tavrelo {

namespace {

// How often the device's own send buffer is looked at after the last line.
constexpr int kDrainPollMs = 20;

// How often the device is looked at while it holds back or still sends the line in
// hand: well within the time a UART's FIFO takes to send what is left in it, so the
// next line follows without a gap at any speed of the Settings tab.
constexpr int kLinePollMs = 1;

// The longest pass of lines before the event loop runs again: short enough that
// Cancel and the progress bar answer at once.
constexpr qint64 kPassMs = 8;

// What a pseudo-terminal is offered at a time: one line a write would make the
// writes, not the lines, set the pace.
constexpr qsizetype kPseudoTerminalOffer = 512;

// How long a Cancel waits for the device to take the rest of a line it has taken in
// part; after that the port may close on it.
constexpr qint64 kStopGraceMs = 2000;

} // namespace

UploadSender::UploadSender(SerialLink& link, QObject* parent)
    : QObject(parent)
    , m_link(link)
{
    connect(&m_link, &SerialLink::allWritten, this, &UploadSender::lookAgain);
    connect(&m_link, &SerialLink::failed, this, &UploadSender::onFailed);
    m_nextPass.setSingleShot(true);
    m_nextPass.setInterval(0);
    connect(&m_nextPass, &QTimer::timeout, this, &UploadSender::sendLines);
    m_linePoll.setSingleShot(true);
    m_linePoll.setTimerType(Qt::PreciseTimer);
    connect(&m_linePoll, &QTimer::timeout, this, &UploadSender::lookAgain);
    m_drain.setSingleShot(true);
    m_drain.setInterval(kDrainPollMs);
    connect(&m_drain, &QTimer::timeout, this, &UploadSender::checkDrained);
}

bool UploadSender::start(const std::string& path)
{
    if (m_running || !m_reader.open(path))
        return false;
    m_running = true;
    m_stopping = false;
    m_offerBytes = m_link.isPseudoTerminal() ? kPseudoTerminalOffer : 1;
    m_out.clear();
    m_ends.clear();
    m_taken = 0;
    m_counted = 0;
    m_sent = 0;
    sendLines();
    return true;
}

// Offers line after line for as long as the device sends each at once; when it holds
// back, the poll or allWritten looks again.
void UploadSender::sendLines()
{
    QElapsedTimer pass;
    pass.start();
    while (m_running) {
        if (pass.elapsed() >= kPassMs) {
            m_nextPass.start();
            return;
        }
        if (m_out.isEmpty() && !takeLines()) {
            endOfLines();
            return;
        }
        if (!offer() || !linesGone())
            return;
    }
}

// The next lines of the file into m_out: one, or for a pseudo-terminal as many whole
// lines as fill its offer. False at the end of the file.
bool UploadSender::takeLines()
{
    m_taken = 0;
    m_counted = 0;
    m_ends.clear();
    std::string line;
    while (m_out.size() < m_offerBytes && m_reader.next(line)) {
        const std::string_view text = TrimBlanks(line);
        if (text.empty())
            continue;
        m_out.append(text.data(), static_cast<qsizetype>(text.size()));
        m_out.append("\r\n");
        m_ends.push_back(m_out.size());
    }
    return !m_out.isEmpty();
}

// Hands the device what it takes of m_out; false when it failed.
bool UploadSender::offer()
{
    if (m_taken == m_out.size())
        return true;
    const qint64 taken = m_link.writeNow(m_out.constData() + m_taken, m_out.size() - m_taken);
    if (taken < 0) {
        finish(false, m_link.errorString());
        return false;
    }
    m_taken += taken;
    m_tookPart = taken > 0 && m_taken < m_out.size();
    return true;
}

// Counts the lines the device has sent; true when all of m_out is gone, otherwise the
// poll or allWritten looks again.
bool UploadSender::linesGone()
{
    const bool held = m_link.bytesToWrite() > 0 || m_link.deviceBytesToWrite() > 0;
    if (!held) {
        const int64_t before = m_sent;
        while (m_counted < m_ends.size() && m_ends[m_counted] <= m_taken) {
            ++m_counted;
            ++m_sent;
        }
        if (m_sent != before)
            emit progress(m_sent);
    }
    if (!held && m_taken == m_out.size()) {
        m_out.clear();
        return true;
    }
    // A device that took part of the offer is likely to take more on the next pass.
    if (m_link.bytesToWrite() == 0)
        m_linePoll.start(m_tookPart ? 0 : kLinePollMs);
    return false;
}

void UploadSender::lookAgain()
{
    if (!m_running || m_out.isEmpty())
        return;
    if (m_stopping) {
        finishLineInHand();
        return;
    }
    if (offer() && linesGone())
        sendLines();
}

// After Cancel: the rest of the line in hand to the device, then the end.
void UploadSender::finishLineInHand()
{
    if (!offer())
        return;
    if (m_taken == m_out.size() || m_stopClock.elapsed() >= kStopGraceMs)
        finish(false, QString());
    else
        m_linePoll.start(kLinePollMs);
}

void UploadSender::onFailed(const QString& reason)
{
    if (m_running)
        finish(false, reason);
}

void UploadSender::endOfLines()
{
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
    if (m_link.bytesToWrite() > 0 || m_link.deviceBytesToWrite() > 0) {
        m_drain.start();
        return;
    }
    finish(true, QString());
}

void UploadSender::cancel()
{
    if (!m_running || m_stopping)
        return;
    // Of what the device has not taken only the rest of a line it took in part is
    // still sent: the instrument gets no line cut short.
    qsizetype lineStart = 0;
    for (const qsizetype end : m_ends) {
        if (end > m_taken) {
            m_out.truncate(lineStart == m_taken ? m_taken : end);
            break;
        }
        lineStart = end;
    }
    if (m_taken >= m_out.size()) {
        finish(false, QString());
        return;
    }
    m_stopping = true;
    m_stopClock.start();
    m_nextPass.stop();
    finishLineInHand();
}

void UploadSender::finish(bool complete, const QString& reason)
{
    m_running = false;
    m_nextPass.stop();
    m_linePoll.stop();
    m_drain.stop();
    m_reader.close();
    m_out.clear();
    m_ends.clear();
    emit finished(complete, reason);
}

} // namespace tavrelo
