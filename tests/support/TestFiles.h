#pragma once
// Files in tests: a full disk, whole files, the files opened in a folder, and the pages of a
// printed PDF.
#include <QString>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>
#include <sys/resource.h>

// Lets this process write no file beyond limit bytes: a full disk, for as long as it lives; or,
// killed, the process dies there, as in a crash part way through a save.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit, bool killed = false);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_ {};
};

// The names of the files opened in folder while act runs, as the kernel reports the opens.
std::vector<std::string> NamesOpenedIn(const std::string& folder, const std::function<void()>& act);

// Pages of the PDF file at path; -1 when it is no PDF (or no regular file).
int PdfPageCount(const QString& path);

// The bytes of the file at path ("" when it cannot be read); a file of exactly these bytes.
inline std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteWhole(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
