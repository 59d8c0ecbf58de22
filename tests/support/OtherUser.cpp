#include "tests/support/OtherUser.h"

#include "tests/support/TestFiles.h"

#include <filesystem>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Unavailable = 2;

} // namespace

int InChild(const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

bool RunningAsRoot() { return ::geteuid() == 0; }

bool AsAnotherUser(const std::function<bool()>& check, uid_t uid)
{
    return InChild([&] { return ::setgid(uid) == 0 && ::setuid(uid) == 0 && check() ? 0 : 1; }) == 0;
}

bool WherePermissionsBind(const std::function<bool()>& check)
{
    return RunningAsRoot() ? AsAnotherUser(check) : check();
}

std::optional<bool> WithReadOnlyTmp(const std::function<bool()>& check)
{
    const int result = InChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("/tmp", "/tmp", nullptr, MS_BIND | MS_REC, nullptr) != 0 ||
            ::mount(nullptr, "/tmp", nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return Unavailable;
        return check() ? 0 : 1;
    });
    if (result == Unavailable)
        return std::nullopt;
    return result == 0;
}

bool MakeSharedAndPrivateFolders(const std::string& folder, PlantedLink& out)
{
    const std::string priv = folder + "/private";
    out = {folder + "/shared", priv + "/root.conf", "secret=1\n"};
    std::error_code error;
    std::filesystem::create_directories(out.Shared, error);
    std::filesystem::create_directories(priv, error);
    if (!RunningAsRoot() || ::chmod(out.Shared.c_str(), 01777) != 0 || ::chmod(priv.c_str(), 0700) != 0)
        return false;
    WriteWhole(out.PrivateFile, out.PrivateBytes);
    return ::chmod(out.PrivateFile.c_str(), 0600) == 0;
}

bool PlantForeignLink(const std::string& target, const std::string& path)
{
    std::error_code error;
    std::filesystem::create_symlink(target, path, error);
    return !error && ::lchown(path.c_str(), OtherUid, OtherUid) == 0;
}
