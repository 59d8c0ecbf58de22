#include "tests/support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

FileSizeLimit::FileSizeLimit(rlim_t limit, bool killed)
{
    std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit l = old_;
    l.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &l);
}

FileSizeLimit::~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

std::vector<std::string> NamesOpenedIn(const std::string& folder, const std::function<void()>& act)
{
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(fd >= 0 ? ::inotify_add_watch(fd, folder.c_str(), IN_OPEN) : -1, 0) << "no watch on " << folder;
    act();
    std::vector<std::string> names;
    alignas(inotify_event) char events[4096];
    for (ssize_t n; fd >= 0 && (n = ::read(fd, events, sizeof events)) > 0;)
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(events + at);
            names.emplace_back(e->len > 0 ? e->name : "");   // no name: the folder itself
            at += ssize_t(sizeof(inotify_event) + e->len);
        }
    if (fd >= 0)
        ::close(fd);
    return names;
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
