#pragma once
// One copy of the program per program folder. Two copies from one folder would share
// the settings file and the temporary file that a download is received into: one
// copy's Exit would delete the file the other is receiving into, and the last Exit
// would overwrite the other's settings.
//
// Whether a copy runs from the folder is the operating system's answer: the running
// copy holds a lock on the open file Tavrelo.lock, which the system drops when that
// copy ends, however it ends. A free lock is taken without a word, whatever the file
// holds (an empty one, the power lost while it was written; one of a killed copy,
// whose process number may belong to another program by now). The words in the file
// (process, program, computer) only tell a refused copy who holds the folder. A lock
// on a USB stick or a network share may not reach across computers: a free lock
// whose words name another computer is taken only when the user says that no copy
// runs there. A Tavrelo.lock that is no regular file (a named pipe, a folder, a
// device), or one that cannot be opened, is never removed: the start ends with a box
// that names it. Copies in other folders are not affected.
#include "platform/FileLock.h"

#include <QString>

#include <string>

namespace tavrelo {

class UserInteraction;

constexpr const char* kProgramLockName = "Tavrelo.lock";

class ProgramFolderLock {
public:
    // Tries the lock of folder (the program folder, as Qt names it); a free lock whose
    // words name this computer, or nothing readable, is taken at once.
    explicit ProgramFolderLock(const QString& folder);
    // A held lock is released and its file removed.
    ~ProgramFolderLock();
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

    // This copy holds the folder.
    bool held() const;
    // A copy that runs holds the folder.
    bool heldByAnother() const { return m_lock.state() == FileLock::State::HeldByAnother; }
    // The lock is free here, but its words were written on another computer, whose
    // copy it may not keep out: the user is asked.
    bool heldElsewhere() const { return m_lock.state() == FileLock::State::Held && m_elsewhere; }

    // Whether this copy goes on: it holds the folder, or no lock can be made there (a
    // folder that takes no file: the settings file cannot be written there either).
    // Held elsewhere, the user is asked whether to take the folder over; a refusal is
    // said in a box and on standard error.
    bool settle(UserInteraction& ui);

    // What the refused copy says: that the program runs from that folder already.
    std::string alreadyRunningText() const;
    // The question for a lock of another computer.
    std::string elsewhereQuestion() const;

private:
    void readWords();
    void writeWords();
    QString lockPath() const;
    std::string refusalText() const;

    QString m_folder; // native, with its trailing separator
    FileLock m_lock;
    bool m_elsewhere = false;
    bool m_readable = false; // the holder's process and computer were read
    qint64 m_pid = 0;
    QString m_host;
};

} // namespace tavrelo
