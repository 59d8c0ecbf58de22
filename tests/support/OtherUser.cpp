#include "tests/support/OtherUser.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Unavailable = 2;

// The child's exit code, or -1 when it did not end by itself.
int ChildResult(pid_t pid)
{
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

bool RunningAsRoot() { return ::geteuid() == 0; }

bool AsAnotherUser(const std::function<bool()>& check, uid_t uid)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(::setgid(uid) == 0 && ::setuid(uid) == 0 && check() ? 0 : 1);
    return ChildResult(pid) == 0;
}

std::optional<bool> WithReadOnlyTmp(const std::function<bool()>& check)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("none", "/tmp", "tmpfs", MS_RDONLY, nullptr) != 0)
            ::_exit(Unavailable);
        ::_exit(check() ? 0 : 1);
    }
    const int result = ChildResult(pid);
    if (result == Unavailable)
        return std::nullopt;
    return result == 0;
}
