#pragma once
// A total station played over a pseudo-terminal, for the serial-link tests.
//
// The simulator opens a pseudo-terminal, sets its slave side raw and keeps one slave
// descriptor open (so the program's close is not a hang-up), and puts a link
// "COM<n>" in the program folder pointing at the slave: the program opens it as port
// n like any serial adapter. A scripted timeline of (pause, bytes) steps is played
// from the master side once the program has opened the port; everything the program
// writes is captured with time stamps. XOFF / XON and a hang-up (the master closed,
// as when a cable or adapter is pulled) can be sent at any time. The master reads in
// packet mode, so the simulator also sees when the terminal holds the program's
// output back after an XOFF and when it lets it go again.
//
// The simulator runs in a thread of its own, so it keeps time and keeps reading while
// the program's event loop is busy or inside a modal window. Usable from Qt Test:
//
//     InstrumentSimulator instrument(programFolder);          // makes COM1
//     instrument.start({Step::Send(0, "line 1\r"), Step::Send(500, "line 2\r")});
//     ... press Download ...
//     QTRY_VERIFY(instrument.scriptDone());
//     QCOMPARE(instrument.captured(), QByteArray("..."));
#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tavrelo::test {

class InstrumentSimulator {
public:
    // One step of the timeline: wait `pauseMs` after the previous step has been handed
    // to the pseudo-terminal (or after the port was opened, for the first), then send
    // `bytes`, or hang up.
    struct Step {
        int pauseMs = 0;
        QByteArray bytes;
        bool hangUp = false;

        static Step Send(int pauseMs, QByteArray bytes) { return {pauseMs, std::move(bytes), false}; }
        static Step HangUp(int pauseMs) { return {pauseMs, {}, true}; }
    };

    // What the program wrote, as one read from the master gave it.
    struct Chunk {
        qint64 ms; // since the simulator was made (monotonic)
        QByteArray bytes;
    };

    // Makes the pseudo-terminal and the link "COM<portNumber>" in programFolder (an
    // existing link or file of that name is replaced). A lock file that a killed run
    // left for the terminal's name is removed, or, when it is another user's, another
    // terminal is taken, so that no run depends on what an earlier one left behind.
    // isValid() tells whether it worked; errorString() says why not.
    explicit InstrumentSimulator(const QString& programFolder, int portNumber = 1);
    ~InstrumentSimulator();
    InstrumentSimulator(const InstrumentSimulator&) = delete;
    InstrumentSimulator& operator=(const InstrumentSimulator&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString errorString() const { return m_error; }
    QString linkPath() const { return m_linkPath; }
    QString slaveName() const { return m_slaveName; }

    // Plays the script once the program has the port open (at once if it has it open
    // already). A new start replaces a script not yet played to its end.
    void start(std::vector<Step> script);
    // The whole script has been handed to the pseudo-terminal (or it hung up).
    bool scriptDone() const { return m_scriptDone; }
    // Bytes of the script handed to the pseudo-terminal so far.
    qint64 bytesSent() const { return m_bytesSent; }

    // Whether the program has the port open now, and how often it has opened it, as
    // far as the simulator's thread has seen.
    bool portOpen() const { return m_openCount > m_closeCount; }
    int openCount() const { return m_openCount; }
    // How often the port had been opened when this was called, every open counted
    // (the thread catches up first, as for receivedSoFar()).
    int opensSoFar() const;
    // The terminal holds the program's output back: an XOFF has reached its flow
    // control, and no XON since. Seen by the simulator's thread, so wait for it.
    bool outputHeld() const { return m_outputHeld; }

    // Everything the program has written so far, joined, and chunk by chunk.
    QByteArray captured() const;
    // Everything the program had handed to the terminal when this was called: the
    // simulator's thread reads the terminal to its end once more before it answers
    // (within 10 s), so no byte is left in flight whatever the machine's load.
    QByteArray receivedSoFar() const;
    std::vector<Chunk> capturedChunks() const;
    void clearCaptured();

    // Sends the byte XOFF (0x13) or XON (0x11) at once, ahead of the script.
    void sendXoff();
    void sendXon();
    // Closes the master at once: the program's port sees the other end gone.
    void hangUp();
    bool hungUp() const { return m_hungUp; }

private:
    struct Shared;
    void run();
    void wake() const;
    void catchUp() const;
    void takePacket(const char* packet, qint64 size, qint64 now);
    void pump(qint64 now);
    void readProgram(qint64 now);
    void readOpenEvents();
    void closeMaster();
    qint64 now() const;

    int m_master = -1;
    int m_slave = -1;
    int m_inotify = -1;
    int m_wake[2] = {-1, -1};
    QString m_slaveName;
    QString m_linkPath;
    QString m_error;

    std::unique_ptr<Shared> m_shared;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_scriptDone{false};
    std::atomic<bool> m_hungUp{false};
    std::atomic<bool> m_outputHeld{false};
    std::atomic<qint64> m_bytesSent{0};
    std::atomic<int> m_openCount{0};
    std::atomic<int> m_closeCount{0};
};

} // namespace tavrelo::test
