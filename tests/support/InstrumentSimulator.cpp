#include "support/InstrumentSimulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tavrelo::test {

namespace {

constexpr char kXoff = 0x13;
constexpr char kXon = 0x11;
constexpr size_t kReadSize = 65536;

// How many pseudo-terminals are tried for one without a stale lock file.
constexpr int kPseudoTerminalTries = 32;

void SetNonBlocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// The lock files Qt's serial port may take for a device: "LCK.." and the device's
// name under /dev with "/" as "_", in each folder where Qt looks for one.
QStringList LockFilesFor(const QString& device)
{
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    QStringList folders = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp", "/tmp",
                           "/var/tmp", "/var/lock/lockdev", "/run/lock"};
    folders << QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    QStringList files;
    for (const QString& folder : folders)
        files << folder + "/LCK.." + name;
    return files;
}

// A pseudo-terminal just made is nobody's: a lock file for its name was left by a run
// that was killed while it held a terminal of that name, and goes. False when one
// stays in the way (another user's, in a folder that keeps it from this one).
bool ClearStaleLocks(const QString& device)
{
    for (const QString& lock : LockFilesFor(device)) {
        if (!QFileInfo(lock).isSymLink() && !QFileInfo::exists(lock))
            continue;
        if (!QFile::remove(lock))
            return false;
    }
    return true;
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
    uint64_t passes = 0; // rounds of the thread's loop done, each reading the terminal to its end
    std::condition_variable passed;
};

InstrumentSimulator::InstrumentSimulator(const QString& programFolder, int portNumber)
    : m_shared(std::make_unique<Shared>())
{
    // A terminal whose name a stale lock holds stays open while the next is made, so
    // that the system hands out another name.
    char name[PATH_MAX] = {};
    std::vector<int> inTheWay;
    for (int tries = 1;; ++tries) {
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            m_master = m_slave = -1;
            break;
        }
        if (ClearStaleLocks(QString::fromLocal8Bit(name)))
            break;
        inTheWay.insert(inTheWay.end(), {m_master, m_slave});
        m_master = m_slave = -1;
        if (tries == kPseudoTerminalTries) {
            m_error = QStringLiteral("stale lock files of another user hold %1 pseudo-terminals").arg(tries);
            break;
        }
    }
    for (int fd : inTheWay)
        ::close(fd);
    if (m_master < 0)
        return;
    m_slaveName = QString::fromLocal8Bit(name);
    termios raw {};
    tcgetattr(m_slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    SetNonBlocking(m_master);

    // Packet mode shows the terminal's flow control; inotify shows the program's opens.
    const int packetMode = 1;
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (ioctl(m_master, TIOCPKT, &packetMode) != 0 || m_inotify < 0
        || inotify_add_watch(m_inotify, name, IN_OPEN | IN_CLOSE) < 0 || pipe(m_wake) != 0) {
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

void InstrumentSimulator::wake() const
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

// A round that began before the call may have read before the program's last bytes
// (or the last open) came: the second round from now begins after the call.
void InstrumentSimulator::catchUp() const
{
    std::unique_lock<std::mutex> lock(m_shared->lock);
    const uint64_t wanted = m_shared->passes + 2;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (m_shared->passes < wanted && m_thread.joinable() && std::chrono::steady_clock::now() < until) {
        wake();
        m_shared->passed.wait_for(lock, std::chrono::milliseconds(10));
    }
}

QByteArray InstrumentSimulator::receivedSoFar() const
{
    catchUp();
    return captured();
}

int InstrumentSimulator::opensSoFar() const
{
    catchUp();
    return m_openCount;
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
        {
            std::lock_guard<std::mutex> guard(m_shared->lock);
            ++m_shared->passes;
        }
        m_shared->passed.notify_all();
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
    while ((n = ::read(m_master, buffer.data(), buffer.size())) > 0)
        takePacket(buffer.constData(), n, t);
}

// A read in packet mode: the program's bytes after a zero byte, or one byte telling
// what became of the terminal (its output stopped or started, among others).
void InstrumentSimulator::takePacket(const char* packet, qint64 size, qint64 t)
{
    const unsigned char kind = static_cast<unsigned char>(packet[0]);
    if (kind != TIOCPKT_DATA) {
        if (kind & TIOCPKT_STOP)
            m_outputHeld = true;
        if (kind & TIOCPKT_START)
            m_outputHeld = false;
        return;
    }
    if (size > 1) {
        std::lock_guard<std::mutex> guard(m_shared->lock);
        m_shared->captured.push_back({t, QByteArray(packet + 1, static_cast<int>(size - 1))});
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
