#pragma once
// One copy of the program per program folder. Two copies from one folder would share
// the settings file and the temporary file that a download is received into: one
// copy's Exit would delete the file the other is receiving into, and the last Exit
// would overwrite the other's settings. A lock file beside the settings file is held
// for the whole run. One left behind is taken over: by a copy on this computer whose
// process is gone (crashed or killed), and an empty or unreadable one (the power lost
// while it was written). One written on another computer (a program folder on a USB
// stick or a share) cannot be checked from here: the user is asked whether that copy
// still runs. Copies in other folders are not affected.
#include <QLockFile>
#include <QString>

#include <string>

namespace tavrelo {

class UserInteraction;

constexpr const char* kProgramLockName = "Tavrelo.lock";

class ProgramFolderLock {
public:
    // Tries the lock of folder (the program folder, as the system names it), taking
    // over one left behind on this computer.
    explicit ProgramFolderLock(const QString& folder);

    // This copy holds the folder.
    bool held() const { return m_held; }
    // Another copy holds the folder: one running on this computer, one on another
    // computer, or a lock file that cannot be read nor removed. A lock that cannot be
    // made at all (a folder that takes no file) is neither held nor held by another:
    // the settings and temporary files cannot be written there either.
    bool heldByAnother() const { return m_heldByAnother; }
    // The lock was written on another computer.
    bool heldElsewhere() const { return m_heldByAnother && m_readable && !m_host.isEmpty() && !onThisComputer(); }

    // Whether this copy goes on: it holds the folder, or no lock can be made there.
    // Held elsewhere, the user is asked whether to take the folder over; otherwise the
    // refusal is said in a box and on standard error.
    bool settle(UserInteraction& ui);

    // What the refused copy says: that the program runs from that folder already.
    std::string alreadyRunningText() const;
    // The question for a lock of another computer.
    std::string elsewhereQuestion() const;

private:
    void take();
    bool onThisComputer() const;
    QString lockPath() const;
    std::string refusalText() const;

    QString m_folder; // native, with its trailing separator
    QLockFile m_lock;
    bool m_held = false;
    bool m_heldByAnother = false;
    bool m_readable = false; // the holder's process, program and computer were read
    qint64 m_pid = 0;
    QString m_host;
    QString m_program;
};

} // namespace tavrelo
