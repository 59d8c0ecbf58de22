#include "tests/support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>
#include <sys/inotify.h>
#include <unistd.h>

FileSizeLimit::FileSizeLimit(rlim_t limit)
{
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit l = old_;
    l.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &l);
}

FileSizeLimit::~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

FolderOpens::FolderOpens(const std::string& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (fd_ >= 0)
        watch_ = ::inotify_add_watch(fd_, folder.c_str(), IN_OPEN);
}

FolderOpens::~FolderOpens()
{
    if (fd_ >= 0)
        ::close(fd_);
}

const std::vector<std::string>& FolderOpens::Names()
{
    alignas(inotify_event) char events[4096];
    for (ssize_t n; fd_ >= 0 && (n = ::read(fd_, events, sizeof events)) > 0;)
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(events + at);
            if (e->len > 0)
                names_.emplace_back(e->name);
            at += ssize_t(sizeof(inotify_event) + e->len);
        }
    return names_;
}

int PdfPageCount(const QString& path)
{
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))   // a FIFO would never answer
        return -1;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}
