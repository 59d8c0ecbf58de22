#include "core/PdfOutput.h"

#include "core/DatabaseFiles.h"
#include "platform/Prompts.h"

#include <QByteArray>
#include <QPrinter>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void CannotWrite(const QString& path) { ShowMessage(QStringLiteral("Nie mogę zapisać do pliku") + path + u'.'); }

} // namespace

PdfOutput::~PdfOutput()
{
    if (memory_ >= 0)
        ::close(memory_);
}

bool PdfOutput::Take(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return true;
    target_ = printer.outputFileName();
    // A file of no folder and no name: Qt opens it through the process's own table of files.
    memory_ = ::memfd_create("rivo-print", MFD_CLOEXEC);
    if (memory_ < 0) {
        CannotWrite(target_);
        return false;
    }
    printer.setOutputFileName(QStringLiteral("/proc/self/fd/%1").arg(memory_));
    return true;
}

bool PdfOutput::Finish()
{
    if (memory_ < 0)
        return true;
    struct stat st {};
    QByteArray bytes;
    if (::fstat(memory_, &st) == 0 && st.st_size > 0) {
        bytes.resize(qsizetype(st.st_size));
        if (::pread(memory_, bytes.data(), std::size_t(bytes.size()), 0) != ssize_t(bytes.size()))
            bytes.clear();
    }
    if (bytes.isEmpty()) {
        CannotWrite(target_);
        return false;
    }
    return SaveWholeFile(target_, bytes);
}
