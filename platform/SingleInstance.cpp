#include "platform/SingleInstance.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::string NamedMutexPath(const std::string& name)
{
    std::string folder = "/tmp";
    if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r && *r)
        folder = r;
    std::string file;
    for (char c : name)
        file.push_back(c == ' ' || c == '/' ? '_' : c);
    return folder + "/" + file + ".lock";
}

bool AcquireNamedMutex(const std::string& name)
{
    int fd = ::open(NamedMutexPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    // The descriptor stays open on purpose: the lock lives as long as the process.
    return true;
}
