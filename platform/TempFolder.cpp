#include "platform/TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

WorkingFolder::~WorkingFolder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

namespace {

// What the descriptor fd opened, as a name for messages; given when the system does not say.
std::string ResolvedPath(int fd, const std::string& given)
{
    char buf[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), buf, sizeof buf);
    return n > 0 && std::size_t(n) < sizeof buf && buf[0] == '/' ? std::string(buf, std::size_t(n)) : given;
}

// The folder fd opened, when no one else can plant files in it: a folder of this user's own,
// writable by no one else. One the program keeps for itself (tighten) is made private when others
// could write it. The descriptor is closed when it is refused; errno then says why.
WorkingFolder Checked(int fd, const std::string& path, bool tighten)
{
    if (fd < 0)
        return {};
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & (tighten ? 077 : 022)) != 0)
        ok = tighten && ::fchmod(fd, 0700) == 0;
    if (!ok) {
        ::close(fd);
        errno = EACCES;
        return {};
    }
    return WorkingFolder(fd, path);
}

// A folder the environment names, resolved once: links anywhere in the path and trailing "/."
// are followed here, and what they led to is what is checked and used.
WorkingFolder FromEnvironment(const char* variable)
{
    const char* value = std::getenv(variable);
    if (!value || !*value)
        return {};
    const int fd = ::open(value, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd < 0 ? WorkingFolder() : Checked(fd, ResolvedPath(fd, value), false);
}

// A subfolder under parent: a link there is refused, whatever it names.
WorkingFolder OpenSubfolder(const WorkingFolder& parent, const std::string& name, bool tighten)
{
    if (!parent)
        return {};
    const int fd = ::openat(parent.Fd(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return Checked(fd, parent.Path() + "/" + name, tighten);
}

WorkingFolder SharedTmp()
{
    const int fd = ::open("/tmp", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd < 0 ? WorkingFolder() : WorkingFolder(fd, ResolvedPath(fd, "/tmp"));
}

std::string FixedTmpName(const std::string& name) { return name + "-" + std::to_string(::getuid()); }

// The private folders of this user's own beside the fixed name in tmp, by name.
std::vector<WorkingFolder> PrivateFoldersBeside(const WorkingFolder& tmp, const std::string& fixed)
{
    const std::string base = fixed + "-";
    std::vector<std::string> names;
    const int fd = ::openat(tmp.Fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);  // a read position of its own
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return {};
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() == base.size() + 6 && name.compare(0, base.size(), base) == 0)
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    std::vector<WorkingFolder> found;
    for (const std::string& name : names)
        if (WorkingFolder folder = OpenSubfolder(tmp, name, false))
            found.push_back(std::move(folder));
    return found;
}

} // namespace

WorkingFolder UserRuntimeFolder() { return FromEnvironment("XDG_RUNTIME_DIR"); }

WorkingFolder Subfolder(const WorkingFolder& parent, const std::string& name)
{
    if (parent)
        ::mkdirat(parent.Fd(), name.c_str(), 0700);
    return OpenSubfolder(parent, name, true);
}

// Under the shared /tmp the fixed name is this user's alone.
WorkingFolder TmpFolder(const std::string& name) { return Subfolder(SharedTmp(), FixedTmpName(name)); }

// When someone else holds the fixed name (a folder, a file, a link), private folders beside it
// are used instead. Two copies that each made one at the same time both take the first by name.
std::vector<WorkingFolder> FoldersBesideTmpFolder(const std::string& name)
{
    const WorkingFolder tmp = SharedTmp();
    if (!tmp)
        return {};
    const std::string fixed = FixedTmpName(name);
    std::vector<WorkingFolder> found = PrivateFoldersBeside(tmp, fixed);
    if (!found.empty())
        return found;
    std::string made = tmp.Path() + "/" + fixed + "-XXXXXX";
    if (!::mkdtemp(made.data()))
        return {};
    return PrivateFoldersBeside(tmp, fixed);
}

WorkingFolder UserFolder(const std::string& name, std::string* refused)
{
    if (WorkingFolder folder = Subfolder(UserRuntimeFolder(), name))
        return folder;
    if (WorkingFolder folder = TmpFolder(name))
        return folder;
    std::vector<WorkingFolder> beside = FoldersBesideTmpFolder(name);
    if (!beside.empty())
        return std::move(beside.front());
    const int why = errno;
    if (refused)
        *refused = "/tmp/" + FixedTmpName(name);
    errno = why;
    return {};
}

WorkingFolder TempFolder(const std::string& fallbackName, std::string* refused)
{
    if (WorkingFolder temp = FromEnvironment("TEMP"))
        return temp;

    // "C:\Tepo_Tmp" -> "Tepo_Tmp" under a folder that exists on Linux.
    std::string name = fallbackName;
    if (auto pos = name.find_last_of("\\/"); pos != std::string::npos)
        name = name.substr(pos + 1);
    return UserFolder(name, refused);
}
