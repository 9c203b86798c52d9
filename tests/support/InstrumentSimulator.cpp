#include "support/InstrumentSimulator.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

namespace tavrelo::test {

namespace {

constexpr char kXoff = 0x13;
constexpr char kXon = 0x11;
constexpr size_t kReadSize = 65536;

void SetNonBlocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

} // namespace

// What the test thread and the simulator's thread both touch, under one lock.
struct InstrumentSimulator::Shared {
    std::mutex lock;
    std::deque<Step> script;
    bool armed = false;   // a script waits for the port to be open
    bool playing = false; // the script's clock runs
    qint64 dueAt = 0;     // when the front step is due
    int written = 0;      // bytes of the front step already handed over
    QByteArray urgent;    // XOFF / XON, ahead of the script
    bool hangUpNow = false;
    std::vector<Chunk> captured;
    std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now();
};

InstrumentSimulator::InstrumentSimulator(const QString& programFolder, int portNumber)
    : m_shared(std::make_unique<Shared>())
{
    char name[PATH_MAX] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        m_master = m_slave = -1;
        return;
    }
    m_slaveName = QString::fromLocal8Bit(name);
    termios raw {};
    tcgetattr(m_slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    SetNonBlocking(m_master);

    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0 || inotify_add_watch(m_inotify, name, IN_OPEN | IN_CLOSE) < 0 || pipe(m_wake) != 0) {
        m_error = QStringLiteral("cannot watch %1: %2").arg(m_slaveName, QString::fromLocal8Bit(std::strerror(errno)));
        closeMaster();
        return;
    }
    SetNonBlocking(m_wake[0]);

    m_linkPath = QDir(programFolder).filePath(QStringLiteral("COM%1").arg(portNumber));
    QFile::remove(m_linkPath);
    if (!QFile::link(m_slaveName, m_linkPath)) {
        m_error = QStringLiteral("cannot make the link %1").arg(m_linkPath);
        closeMaster();
        return;
    }
    m_thread = std::thread(&InstrumentSimulator::run, this);
}

InstrumentSimulator::~InstrumentSimulator()
{
    m_stop = true;
    if (m_thread.joinable()) {
        wake();
        m_thread.join();
    }
    closeMaster();
    for (int fd : {m_slave, m_inotify, m_wake[0], m_wake[1]})
        if (fd >= 0)
            ::close(fd);
    if (!m_linkPath.isEmpty())
        QFile::remove(m_linkPath);
}

qint64 InstrumentSimulator::now() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now() - m_shared->origin).count();
}

void InstrumentSimulator::wake()
{
    if (m_wake[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(m_wake[1], &byte, 1);
    }
}

void InstrumentSimulator::start(std::vector<Step> script)
{
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->script.assign(script.begin(), script.end());
        m_shared->armed = true;
        m_shared->playing = false;
        m_shared->written = 0;
        m_scriptDone = m_shared->script.empty();
        if (portOpen() && !m_shared->script.empty()) {
            m_shared->playing = true;
            m_shared->dueAt = now() + m_shared->script.front().pauseMs;
        }
    }
    wake();
}

QByteArray InstrumentSimulator::captured() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    QByteArray all;
    for (const Chunk& chunk : m_shared->captured)
        all += chunk.bytes;
    return all;
}

std::vector<InstrumentSimulator::Chunk> InstrumentSimulator::capturedChunks() const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    return m_shared->captured;
}

void InstrumentSimulator::clearCaptured()
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    m_shared->captured.clear();
}

void InstrumentSimulator::sendXoff()
{
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->urgent += kXoff;
    }
    wake();
}

void InstrumentSimulator::sendXon()
{
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->urgent += kXon;
    }
    wake();
}

void InstrumentSimulator::hangUp()
{
    {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->hangUpNow = true;
    }
    wake();
}

void InstrumentSimulator::closeMaster()
{
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

void InstrumentSimulator::run()
{
    while (!m_stop) {
        int timeout = -1;
        bool wantOut = false;
        {
            std::lock_guard<std::mutex> guard(m_shared->lock);
            wantOut = !m_shared->urgent.isEmpty() || m_shared->hangUpNow;
            if (m_shared->playing && !m_shared->script.empty()) {
                const qint64 wait = m_shared->dueAt - now();
                if (wait <= 0)
                    wantOut = true;
                else
                    timeout = static_cast<int>(wait);
            }
        }
        pollfd fds[3] = {{m_wake[0], POLLIN, 0}, {m_inotify, POLLIN, 0}, {m_master, POLLIN, 0}};
        if (wantOut && m_master >= 0)
            fds[2].events |= POLLOUT;
        const int count = m_master >= 0 ? 3 : 2;
        if (wantOut && !(fds[2].events & POLLOUT))
            timeout = 0;
        poll(fds, count, timeout);
        char drain[64];
        while (::read(m_wake[0], drain, sizeof drain) > 0) {
        }
        readOpenEvents();
        const qint64 t = now();
        readProgram(t);
        pump(t);
    }
}

void InstrumentSimulator::readOpenEvents()
{
    alignas(inotify_event) char buffer[4096];
    ssize_t n;
    while ((n = ::read(m_inotify, buffer, sizeof buffer)) > 0) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->mask & IN_OPEN)
                ++m_openCount;
            if (event->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE))
                ++m_closeCount;
            p += sizeof(inotify_event) + event->len;
        }
    }
    std::lock_guard<std::mutex> guard(m_shared->lock);
    if (m_shared->armed && !m_shared->playing && portOpen() && !m_shared->script.empty()) {
        m_shared->playing = true;
        m_shared->dueAt = now() + m_shared->script.front().pauseMs;
    }
}

void InstrumentSimulator::readProgram(qint64 t)
{
    if (m_master < 0)
        return;
    QByteArray buffer(kReadSize, Qt::Uninitialized);
    ssize_t n;
    while ((n = ::read(m_master, buffer.data(), buffer.size())) > 0) {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->captured.push_back({t, buffer.left(static_cast<int>(n))});
    }
}

// Hands over what is due: urgent bytes first, then the script's front step, as far as
// the pseudo-terminal takes it.
void InstrumentSimulator::pump(qint64 t)
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    Shared& s = *m_shared;
    if (s.hangUpNow) {
        s.hangUpNow = false;
        closeMaster();
        m_hungUp = true;
    }
    if (m_master < 0) {
        if (s.playing) {
            s.script.clear();
            s.playing = false;
            m_scriptDone = true;
        }
        return;
    }
    while (!s.urgent.isEmpty()) {
        const ssize_t n = ::write(m_master, s.urgent.constData(), s.urgent.size());
        if (n <= 0)
            return;
        s.urgent.remove(0, static_cast<int>(n));
    }
    while (s.playing && !s.script.empty() && s.dueAt <= t) {
        Step& step = s.script.front();
        if (step.hangUp) {
            closeMaster();
            m_hungUp = true;
            s.script.clear();
            break;
        }
        while (s.written < step.bytes.size()) {
            const ssize_t n = ::write(m_master, step.bytes.constData() + s.written, step.bytes.size() - s.written);
            if (n <= 0)
                return; // full: wait for room
            s.written += static_cast<int>(n);
            m_bytesSent += n;
        }
        s.script.pop_front();
        s.written = 0;
        if (!s.script.empty())
            s.dueAt = this->now() + s.script.front().pauseMs;
    }
    if (s.playing && s.script.empty()) {
        s.playing = false;
        m_scriptDone = true;
    }
}

} // namespace tavrelo::test
