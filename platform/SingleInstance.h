#pragma once
// The program's named mutex: an exclusive lock on a file named after it in the user's runtime
// folder, held until the process ends (the kernel drops it with the process).
#include <string>

// True when this process now holds the named lock; false when another process holds it or the
// lock file cannot be made.
bool AcquireNamedMutex(const std::string& name);
// The lock file's path for a name (for tests and messages).
std::string NamedMutexPath(const std::string& name);
