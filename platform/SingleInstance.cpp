#include "platform/SingleInstance.h"

#include "platform/TempFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* LockFolderName = "Rivo_Tmp";

enum class Lock { Taken, Held, Unusable };

// The lock file in folder: taken (its descriptor added to held, open for the life of the
// process), held by another process, or unusable there. Without take the file is only opened
// and checked.
Lock LockIn(const WorkingFolder& folder, const std::string& file, bool take, std::vector<int>& held)
{
    if (!folder)
        return Lock::Unusable;
    const int fd = ::openat(folder.Fd(), file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return Lock::Unusable;
    // Another user's file is not our lock, whoever holds it.
    struct stat st {};
    Lock result = Lock::Taken;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        errno = EACCES;
        result = Lock::Unusable;
    } else if (take && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        result = errno == EWOULDBLOCK ? Lock::Held : Lock::Unusable;
    }
    const int why = errno;
    if (result == Lock::Taken && take)
        held.push_back(fd);
    else
        ::close(fd);
    errno = why;
    return result;
}

// The lock taken (or, without take, only looked for) place by place; path names the first
// file taken.
NamedMutexState FindLock(const std::string& name, bool take, std::string& path, std::string* refused)
{
    std::string file;
    for (char c : name)
        file.push_back(c == ' ' || c == '/' ? '_' : c);
    file += ".lock";
    std::vector<int> held;
    auto at = [&](const WorkingFolder& folder) {
        const Lock lock = LockIn(folder, file, take, held);
        if (lock == Lock::Taken && path.empty())
            path = folder.Path() + "/" + file;
        return lock;
    };
    const WorkingFolder runtime = UserRuntimeFolder();
    Lock lock = at(runtime);
    if (lock == Lock::Unusable)
        lock = at(Subfolder(runtime, LockFolderName));
    if (lock == Lock::Unusable)
        lock = at(TmpFolder(LockFolderName));
    if (lock == Lock::Unusable) {
        // Every private folder beside the taken name, in one order for every copy: a copy that
        // finds any of them held does not run.
        for (const WorkingFolder& folder : FoldersBesideTmpFolder(LockFolderName)) {
            if (at(folder) == Lock::Held) {
                for (int fd : held)
                    ::close(fd);
                path.clear();
                return NamedMutexState::HeldElsewhere;
            }
            if (!path.empty() && !take)
                break;
        }
        if (!path.empty())
            lock = Lock::Taken;
    }
    if (lock == Lock::Unusable) {
        const int why = errno;
        if (refused)
            *refused = "/tmp/" + std::string(LockFolderName) + "-" + std::to_string(::getuid());
        errno = why;
        return NamedMutexState::Unavailable;
    }
    // The descriptors stay open on purpose: the lock lives as long as the process.
    return lock == Lock::Held ? NamedMutexState::HeldElsewhere : NamedMutexState::Acquired;
}

} // namespace

NamedMutexState AcquireNamedMutex(const std::string& name, std::string* refused)
{
    std::string path;
    return FindLock(name, true, path, refused);
}

std::string NamedMutexPath(const std::string& name)
{
    std::string path;
    FindLock(name, false, path, nullptr);
    return path;
}
