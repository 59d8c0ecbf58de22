#pragma once
// The folder of the working image and other temporary files.
#include <string>

// A working folder is used only when it is no link, is this user's own and no one else can
// write it; otherwise the next choice is taken. The choices: the folder TEMP names; a folder of
// the fallback name ("C:\Tepo_Tmp", "C:\Rivo_Tmp" -> "Tepo_Tmp", "Rivo_Tmp") in the user's
// runtime folder; the folder name-uid (mode 0700) under /tmp; when someone else holds that name,
// a private folder beside it (name-uid-XXXXXX, the same one for every copy of the program).
// Empty when no folder could be had; refused (when given) then names the folder under /tmp,
// and errno says why.
std::string TempFolder(const std::string& fallbackName, std::string* refused = nullptr);

// The fallback folder of a plain name on its own, as above.
std::string UserFolder(const std::string& name, std::string* refused = nullptr);

// XDG_RUNTIME_DIR when it names a folder that may be used as above; empty otherwise.
std::string UserRuntimeFolder();
