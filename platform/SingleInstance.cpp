#include "platform/SingleInstance.h"

#include "platform/TempFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::string NamedMutexPath(const std::string& name)
{
    std::string file;
    for (char c : name)
        file.push_back(c == ' ' || c == '/' ? '_' : c);
    // Without a runtime folder, the folder under /tmp that is this user's alone: no one else can
    // make the lock file there first. When another user took its name, every copy of the program
    // finds the same private folder beside it, so the lock still keeps a second copy out.
    std::string folder = UserRuntimeFolder();
    if (folder.empty())
        folder = UserFolder("Rivo_Tmp");
    return folder.empty() ? std::string() : folder + "/" + file + ".lock";
}

bool AcquireNamedMutex(const std::string& name)
{
    const std::string path = NamedMutexPath(name);
    const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;
    // Another user's file is not our lock, whoever holds it.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid()) {
        ::close(fd);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    // The descriptor stays open on purpose: the lock lives as long as the process.
    return true;
}
