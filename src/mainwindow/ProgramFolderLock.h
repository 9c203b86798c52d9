#pragma once
// One copy of the program per program folder. Two copies from one folder would share
// the settings file and the temporary file that a download is received into: one
// copy's Exit would delete the file the other is receiving into, and the last Exit
// would overwrite the other's settings. A lock file beside the settings file is held
// for the whole run; a copy that crashed or was killed leaves one behind whose process
// is gone, and the next start takes it over. Copies in other folders are not affected.
#include <QLockFile>
#include <QString>

#include <string>

namespace tavrelo {

class UserInteraction;

constexpr const char* kProgramLockName = "Tavrelo.lock";

class ProgramFolderLock {
public:
    // Tries the lock of folder (the program folder, as the system names it).
    explicit ProgramFolderLock(const QString& folder);

    // This copy holds the folder.
    bool held() const { return m_held; }
    // Another running copy holds the folder. A lock that cannot be made at all (a
    // folder that takes no file) is neither held nor held by another: the settings
    // and temporary files cannot be written there either.
    bool heldByAnother() const { return m_heldByAnother; }

    // What the refused copy says: that the program runs from that folder already.
    std::string alreadyRunningText() const;
    // Says it in a box and on standard error (for a start from a terminal).
    void tellAlreadyRunning(UserInteraction& ui) const;

private:
    QString m_folder;
    QLockFile m_lock;
    bool m_held = false;
    bool m_heldByAnother = false;
};

} // namespace tavrelo
