#pragma once
// The folder of the working image and other temporary files.
#include <string>
#include <utility>
#include <vector>

// A working folder held open: every use goes through its descriptor, never again through a name
// someone could change; the path it resolved to is for messages.
class WorkingFolder {
public:
    WorkingFolder() = default;
    WorkingFolder(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    WorkingFolder(WorkingFolder&& other) noexcept : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}
    ~WorkingFolder();
    explicit operator bool() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

// A folder from the environment is resolved once, links anywhere in its path followed, and used
// when what it resolved to is a folder of this user's own that no one else can write; a subfolder
// the program keeps for itself must be no link as well. Otherwise the next choice is taken. The
// choices: the folder TEMP names; a folder of the fallback name ("C:\Tepo_Tmp", "C:\Rivo_Tmp" ->
// "Tepo_Tmp", "Rivo_Tmp") in the user's runtime folder; the folder name-uid (mode 0700) under
// /tmp; when someone else holds that name, a private folder beside it (name-uid-XXXXXX, the first
// by name, so the same one for every copy of the program). None when no folder could be had;
// refused (when given) then names the folder under /tmp, and errno says why.
WorkingFolder TempFolder(const std::string& fallbackName, std::string* refused = nullptr);

// The fallback folder of a plain name on its own, as above.
WorkingFolder UserFolder(const std::string& name, std::string* refused = nullptr);

// The choices of UserFolder one by one. The runtime folder as XDG_RUNTIME_DIR resolves; its
// subfolder name; the folder name-uid under /tmp; the private folders beside that one, by name
// (one made when there is none).
WorkingFolder UserRuntimeFolder();
WorkingFolder Subfolder(const WorkingFolder& parent, const std::string& name);
WorkingFolder TmpFolder(const std::string& name);
std::vector<WorkingFolder> FoldersBesideTmpFolder(const std::string& name);
