#include "tests/support/TestEnvironment.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Prompts.h"
#include "platform/Time.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace fs = std::filesystem;

QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "rivo-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        UsePolishSystemFormats();
        auto* a = new QApplication(argc, argv);
        InstallPolishInterface();
        QApplication::setApplicationName("ZUZAz103");
        return a;
    }();
    return *app;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    for (const long long deadline = MonotonicMs() + timeoutMs; !done(); ::poll(nullptr, 0, 2)) {
        if (MonotonicMs() >= deadline)
            return false;
        QCoreApplication::processEvents();
    }
    return true;
}

void UserClick(QWidget& widget, bool queued)
{
    const QPointF at = QRectF(widget.rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent click(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        if (queued)
            QApplication::postEvent(&widget, click.clone());
        else
            QApplication::sendEvent(&widget, &click);
    }
}

void PressKey(QWidget& widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
}

TestEnvironment::TestEnvironment(bool createImage)
{
    TestApp();
    char tmpl[] = "/tmp/rivo-test-XXXXXX";
    folder_ = ::mkdtemp(tmpl);
    oldCwd_ = fs::current_path().string();
    ::setenv("TEMP", folder_.c_str(), 1);
    fs::current_path(folder_);
    ResetAppState();
    ResetLinkState();
    ResetLinkSettings();
    InitTableOffsets();
    App.StartFolder = folder_;
    if (createImage) {
        EXPECT_EQ(CreateDatabaseImage(), 0);
        App.WorkMode = WorkModeDatabase;
        App.CurrentDatabaseFileName = "Bez nazwy";
    }
}

TestEnvironment::~TestEnvironment()
{
    ResetLinkState();
    DatabaseImage.Close();
    std::error_code ec;
    fs::current_path(oldCwd_, ec);
    fs::remove_all(folder_, ec);
}
