#include "platform/SingleInstance.h"

#include "platform/TempFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::string NamedMutexPath(const std::string& name)
{
    std::string file;
    for (char c : name)
        file.push_back(c == ' ' || c == '/' ? '_' : c);
    if (const std::string runtime = UserRuntimeFolder(); !runtime.empty())
        return runtime + "/" + file + ".lock";
    return "/tmp/" + file + UserSuffix() + ".lock";
}

bool AcquireNamedMutex(const std::string& name)
{
    const int fd = ::open(NamedMutexPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    // The descriptor stays open on purpose: the lock lives as long as the process.
    return true;
}
