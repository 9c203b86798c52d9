#pragma once
// Runs a piece of a test as a user who may not write a read-only file. Root may write
// any file, so when the suite runs as root (as it does in CI) the piece runs in a
// child process that has dropped to the user "nobody"; otherwise in a child as the
// user it is. The piece returns "" when all went as expected, else what went wrong;
// the child's answer comes back through a pipe.
#include <cstdlib>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavrelo::testing {

constexpr uid_t kNobody = 65534;

// Lets the unprivileged user reach and change folder (as the temporary folders of the
// tests are private to their owner).
inline void OpenFolderToEveryone(const std::string& folder)
{
    ::chmod(folder.c_str(), 0777);
}

// For a window test that must meet permissions as a user does: the whole test program
// becomes the unprivileged user when it runs as root. Call it first in main(), before
// Qt or the simulator start a thread. "" when done (or not needed), else what failed.
inline std::string BecomeUnprivileged()
{
    if (::geteuid() != 0)
        return std::string();
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
        return "could not become an unprivileged user";
    ::setenv("HOME", "/tmp", 1); // root's home is closed to it
    ::unsetenv("XDG_RUNTIME_DIR");
    return std::string();
}

inline std::string RunUnprivileged(const std::function<std::string()>& piece)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe for the child";
    const pid_t child = ::fork();
    if (child < 0)
        return "no child process";
    if (child == 0) {
        ::close(channel[0]);
        std::string answer;
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            answer = "could not become an unprivileged user";
        else
            answer = piece();
        const char* data = answer.data();
        size_t left = answer.size();
        while (left > 0) {
            const ssize_t n = ::write(channel[1], data, left);
            if (n <= 0)
                break;
            data += n;
            left -= static_cast<size_t>(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(channel[0], buffer, sizeof buffer)) > 0)
        answer.append(buffer, static_cast<size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        answer += " (the child process did not end normally)";
    return answer;
}

} // namespace tavrelo::testing
