#include "platform/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

std::string UserRuntimeFolder()
{
    std::error_code ec;
    const char* base = std::getenv("XDG_RUNTIME_DIR");
    return base && *base && fs::is_directory(base, ec) ? std::string(base) : std::string();
}

std::string UserFolder(const std::string& name, std::string* refused)
{
    std::error_code ec;
    if (const std::string runtime = UserRuntimeFolder(); !runtime.empty()) {
        const fs::path folder = fs::path(runtime) / name;
        std::error_code made;
        fs::create_directories(folder, made);
        if (fs::is_directory(folder, ec))
            return folder.string();
        errno = made ? made.value() : ENOTDIR;
        if (refused)
            *refused = folder.string();
        return {};
    }
    // Under the shared /tmp the folder is this user's alone: another user's folder of the same
    // name (or a link planted there) is not used.
    const std::string folder = "/tmp/" + name + "-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        ((st.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0)) {
        errno = EACCES;
        if (refused)
            *refused = folder;
        return {};
    }
    return folder;
}

std::string TempFolder(const std::string& fallbackName, std::string* refused)
{
    std::error_code ec;
    if (const char* t = std::getenv("TEMP"); t && *t && fs::is_directory(t, ec))
        return t;

    // "C:\Tepo_Tmp" -> "Tepo_Tmp" under a folder that exists on Linux.
    std::string name = fallbackName;
    if (auto pos = name.find_last_of("\\/"); pos != std::string::npos)
        name = name.substr(pos + 1);
    return UserFolder(name, refused);
}
