#pragma once
// The program's named mutex: an exclusive lock on a file named after it in the user's runtime
// folder (without one, in this user's own folder under /tmp, or in the private folder beside it
// when someone else took its name), held until the process ends (the kernel drops it with the
// process).
#include <string>

// False only when another running process holds the named lock. A lock file that cannot be
// opened or locked (another user's, a read-only folder) does not keep the program from starting,
// and neither does a lock file that another user owns.
bool AcquireNamedMutex(const std::string& name);
// The lock file's path for a name (for tests and messages); empty when no folder of this user's
// own could be had.
std::string NamedMutexPath(const std::string& name);
