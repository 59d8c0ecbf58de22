#pragma once
// Acting as someone else: another local user (the tests run as root), or a machine whose /tmp
// cannot be written.
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>

constexpr uid_t OtherUid = 65534;

bool RunningAsRoot();
// Runs body in a child process; its exit code, or -1 when it did not end by itself.
int InChild(const std::function<int()>& body);
// Runs check in a child process under the user and group uid; whether it held.
bool AsAnotherUser(const std::function<bool()>& check, uid_t uid = OtherUid);
// Runs check where file permissions bind: as OtherUid when running as root, else right here.
bool WherePermissionsBind(const std::function<bool()>& check);
// Runs check in a child process that sees /tmp read-only (its files stay in view: the program
// under test may live there); nothing when this system gives no process mounts of its own.
std::optional<bool> WithReadOnlyTmp(const std::function<bool()>& check);

// What the other user may leave where a save goes: in a folder everyone may write (1777), a link
// of theirs to a private file of ours (0600 in a 0700 folder). Both made in folder; false when not root.
struct PlantedLink {
    std::string Shared, PrivateFile, PrivateBytes;
};
bool MakeSharedAndPrivateFolders(const std::string& folder, PlantedLink& out);
// That link at path to target, owned by OtherUid; false when it cannot be made.
bool PlantForeignLink(const std::string& target, const std::string& path);
