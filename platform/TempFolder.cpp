#include "platform/TempFolder.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder no one else can plant files in: no link, this user's own, writable by no one else.
// A folder the program made itself (tighten) is made private when others could write it.
bool PrivateFolder(const std::string& path, bool tighten)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
    if (ok && (st.st_mode & (tighten ? 077 : 022)) != 0)
        ok = tighten && ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok;
}

// A private folder made beside a fixed name someone else took: one of this user's own from
// before (the first by name, so that every copy of the program finds the same one), or a new one.
std::string FolderBeside(const std::string& fixed)
{
    const std::string base = fixed.substr(fixed.find_last_of('/') + 1) + "-";
    std::string found;
    if (DIR* dir = ::opendir("/tmp")) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name.size() == base.size() + 6 && name.compare(0, base.size(), base) == 0 &&
                (found.empty() || "/tmp/" + name < found) && PrivateFolder("/tmp/" + name, false))
                found = "/tmp/" + name;
        }
        ::closedir(dir);
    }
    if (!found.empty())
        return found;
    std::string made = fixed + "-XXXXXX";
    return ::mkdtemp(made.data()) ? made : std::string();
}

} // namespace

std::string UserRuntimeFolder()
{
    const char* base = std::getenv("XDG_RUNTIME_DIR");
    return base && *base && PrivateFolder(base, false) ? std::string(base) : std::string();
}

std::string UserFolder(const std::string& name, std::string* refused)
{
    if (const std::string runtime = UserRuntimeFolder(); !runtime.empty()) {
        const std::string folder = runtime + "/" + name;
        ::mkdir(folder.c_str(), 0700);
        if (PrivateFolder(folder, true))
            return folder;
    }
    // Under the shared /tmp the fixed name is this user's alone; when someone else holds it
    // (a folder, a file, a link), a private folder beside it is used instead.
    const std::string fixed = "/tmp/" + name + "-" + std::to_string(::getuid());
    ::mkdir(fixed.c_str(), 0700);
    if (PrivateFolder(fixed, true))
        return fixed;
    const std::string beside = FolderBeside(fixed);
    if (beside.empty() && refused)
        *refused = fixed;
    return beside;
}

std::string TempFolder(const std::string& fallbackName, std::string* refused)
{
    if (const char* t = std::getenv("TEMP"); t && *t && PrivateFolder(t, false))
        return t;

    // "C:\Tepo_Tmp" -> "Tepo_Tmp" under a folder that exists on Linux.
    std::string name = fallbackName;
    if (auto pos = name.find_last_of("\\/"); pos != std::string::npos)
        name = name.substr(pos + 1);
    return UserFolder(name, refused);
}
