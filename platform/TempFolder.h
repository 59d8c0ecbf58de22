#pragma once
// The folder of the working image and other temporary files.
#include <string>

// The folder named by TEMP when it names an existing folder; otherwise the fallback folder
// (created with its parents when missing). The fallback names the program gives ("C:\Tepo_Tmp",
// "C:\Rivo_Tmp") become folders of those names in the user's runtime folder, or, without one,
// folders of this user alone (name-uid, mode 0700) under /tmp. Empty when no folder could be
// had; refused (when given) then names the folder that could not be, and errno says why.
std::string TempFolder(const std::string& fallbackName, std::string* refused = nullptr);

// The fallback folder of a plain name on its own, as above.
std::string UserFolder(const std::string& name, std::string* refused = nullptr);

// XDG_RUNTIME_DIR when it names a folder; empty otherwise.
std::string UserRuntimeFolder();
