#include "platform/Shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace {
std::function<bool(const QString&)> opener;
}

bool OpenLink(const QString& url)
{
    if (opener)
        return opener(url);
    return QDesktopServices::openUrl(QUrl(url));
}

void Beep() { QApplication::beep(); }

void SetLinkOpener(std::function<bool(const QString&)> o) { opener = std::move(o); }
