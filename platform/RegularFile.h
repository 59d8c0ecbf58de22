#pragma once
// Files the user picks are read only when they are regular files: a FIFO, a device or a socket
// is refused at once instead of blocking the program on its open or its reads.
#include <string>

class QFile;
class QString;

// A read-only descriptor of path when it names a regular file (links followed); -1 otherwise.
int OpenRegularFile(const std::string& path);
// The same opened into file (which then owns the descriptor); false when refused.
bool OpenRegularFile(QFile& file, const QString& path);

// Whether anything is at path, a link counting as itself (also one that names nothing): the
// overwrite questions ask about what a save would replace.
bool PathTaken(const QString& path);
