#pragma once
// A lock that the operating system holds on an open file for this process and drops
// when the process ends, however it ends (flock on Linux, LockFileEx on Windows). No
// one has to judge from the file's contents whether its holder still runs: the system
// knows. The lock keeps out only those who ask for it; the file stays readable, so one
// who finds it held can read what the holder wrote into it.
//
// Nothing here removes a file it does not hold, and nothing opens a name that is not
// a regular file: a named pipe, a folder or a device is reported, never opened, so no
// call blocks on one. Paths are Windows-1252 and reach the system through FileNames.h.
#include <cstdint>
#include <string>

namespace tavrelo {

class FileLock {
public:
    enum class State {
        Held,          // this process holds the lock
        HeldByAnother, // another process holds it, or this one through another opening
        NotAFile,      // the name is a folder, a named pipe, a device or a socket
        Unopenable,    // the name is taken, but what it names cannot be opened
        NoPlace,       // no file of that name, and none can be made there
        Released,      // held until release()
    };
    enum class Kind { Folder, Pipe, Device, Socket, Other };

    // Opens path, making an empty file when there is none, and tries its lock once. A
    // file system that keeps no locks at all counts as held: nothing can be asked there.
    explicit FileLock(const std::string& path);
    // Releases a lock still held, without removing the file.
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return m_state; }
    // For NotAFile: what the name is.
    Kind kind() const { return m_kind; }
    // For Unopenable and NoPlace: the failure number (RunError) of the open.
    int error() const { return m_error; }

    // The file's first bytes as they are now (Held and HeldByAnother), up to max.
    std::string contents(size_t max = 4096) const;
    // Held: the file holds bytes and nothing else. False when it could not be
    // written (a file this user may only read): the lock is held all the same.
    bool write(const std::string& bytes);
    // Ends the hold; with remove, a held file is removed too, on Linux while it is
    // still held, so that no other process can have taken it meanwhile.
    void release(bool remove);

private:
    void acquire();
    // False, the handle closed, when the name no longer leads to the file opened: its
    // holder removed it on the way out, and the next try opens what is there now.
    bool take(std::intptr_t handle, bool writable);
    void close();

    std::string m_name; // as the system spells it
    State m_state = State::NoPlace;
    Kind m_kind = Kind::Other;
    int m_error = 0;
    std::intptr_t m_handle = -1; // a file descriptor, or a Windows handle
    bool m_writable = false;
};

} // namespace tavrelo
