#include "platform/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string TempFolder(const std::string& fallbackName)
{
    std::error_code ec;
    if (const char* t = std::getenv("TEMP"); t && *t && fs::is_directory(t, ec))
        return t;

    // "C:\Tepo_Tmp" -> "Tepo_Tmp" under a folder that exists on Linux.
    std::string name = fallbackName;
    if (auto pos = name.find_last_of("\\/"); pos != std::string::npos)
        name = name.substr(pos + 1);
    const char* base = std::getenv("XDG_RUNTIME_DIR");
    fs::path root = (base && *base && fs::is_directory(base, ec)) ? fs::path(base) : fs::path("/tmp");
    fs::path folder = root / name;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec))
        return {};
    return folder.string();
}
