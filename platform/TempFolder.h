#pragma once
// The folder of the working image and other temporary files.
#include <string>

// The folder named by TEMP when it names an existing folder; otherwise the fallback folder
// (created with its parents when missing). The fallback names the program gives ("C:\Tepo_Tmp",
// "C:\Rivo_Tmp") become folders of those names under the user's runtime or /tmp folder.
// Empty when no folder could be had.
std::string TempFolder(const std::string& fallbackName);
