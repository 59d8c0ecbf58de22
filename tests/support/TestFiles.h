#pragma once
// Files in tests: a full disk, whole files, and the pages of a printed PDF.
#include <QString>
#include <fstream>
#include <iterator>
#include <string>
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

// Pages of the PDF file at path; -1 when it is no PDF.
int PdfPageCount(const QString& path);

// The bytes of the file at path ("" when it cannot be read); a file of exactly these bytes.
inline std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteWhole(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
