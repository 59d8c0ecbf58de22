#pragma once
// Acting as someone else: another local user (the tests run as root), or a machine whose /tmp
// cannot be written.
#include <functional>
#include <optional>
#include <sys/types.h>

constexpr uid_t OtherUid = 65534;

bool RunningAsRoot();
// Runs check in a child process under the user and group uid; whether it held.
bool AsAnotherUser(const std::function<bool()>& check, uid_t uid = OtherUid);
// Runs check in a child process that sees an empty, read-only /tmp; nothing when this system
// gives no process mounts of its own.
std::optional<bool> WithReadOnlyTmp(const std::function<bool()>& check);
