#include "tests/support/TestFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <csignal>

FileSizeLimit::FileSizeLimit(rlim_t limit, bool killed)
{
    std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit l = old_;
    l.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &l);
}

FileSizeLimit::~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

int PdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}
