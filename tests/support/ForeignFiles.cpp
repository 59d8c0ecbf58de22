#include "tests/support/ForeignFiles.h"

#include "tests/support/TestFiles.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

bool MakeSharedAndPrivateFolders(const std::string& folder, PlantedLink& out)
{
    if (::geteuid() != 0)
        return false;
    out.Shared = folder + "/shared";
    out.Private = folder + "/private";
    out.PrivateFile = out.Private + "/root.conf";
    out.PrivateBytes = "secret=1\n";
    std::error_code error;
    fs::create_directories(out.Shared, error);
    fs::create_directories(out.Private, error);
    if (::chmod(out.Shared.c_str(), 01777) != 0 || ::chmod(out.Private.c_str(), 0700) != 0)
        return false;
    WriteWhole(out.PrivateFile, out.PrivateBytes);
    return ::chmod(out.PrivateFile.c_str(), 0600) == 0;
}

bool PlantForeignLink(const std::string& target, const std::string& path)
{
    std::error_code error;
    fs::remove(path, error);
    fs::create_symlink(target, path, error);
    return !error && ::lchown(path.c_str(), 65534, 65534) == 0;
}
