#pragma once
// What a second local user leaves where this user's program saves: a link of theirs in a shared
// folder that everyone may write (mode 1777), pointing at a private file of this user's. Giving
// the link to another owner needs root; without it the tests that plant one skip.
#include <string>

struct PlantedLink {
    std::string Shared;        // the 1777 folder holding the links
    std::string Private;       // a 0700 folder of this user's
    std::string PrivateFile;   // in it, mode 0600, holding PrivateBytes
    std::string PrivateBytes;
};

// Makes the two folders and the private file inside folder. False (and nothing planted) when
// this process cannot give a file to another user.
bool MakeSharedAndPrivateFolders(const std::string& folder, PlantedLink& out);

// A link at path to target, owned by the unprivileged user 65534; false when it cannot be made.
bool PlantForeignLink(const std::string& target, const std::string& path);
