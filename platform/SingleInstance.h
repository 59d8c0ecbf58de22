#pragma once
// The program's named mutex: an exclusive lock on a file named after it in the user's runtime
// folder, held until the process ends (the kernel drops it with the process). Where no lock file
// of this user's own can be had there, the lock goes where the working folders go: the program's
// folder in the runtime folder, its folder under /tmp, and the private folders beside that one
// when someone else took its name (in every one of them, by name, so that two copies that each
// made one still meet).
#include <string>

enum class NamedMutexState { Acquired, HeldElsewhere, Unavailable };

// Acquired: this process holds the lock now. HeldElsewhere: another process holds it.
// Unavailable: no lock file could be had anywhere; refused (when given) names the folder under
// /tmp, and errno says why. A lock file that cannot be opened or that another user owns is no
// lock of ours: the next place is tried.
NamedMutexState AcquireNamedMutex(const std::string& name, std::string* refused = nullptr);
// The lock file's path for a name (for tests and messages); empty when none could be had.
std::string NamedMutexPath(const std::string& name);
