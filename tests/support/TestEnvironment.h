#pragma once
// A clean process state for one test: a private TEMP and start folder, fresh application and
// link state, a new default image. Tests that need no image leave CreateImage false.
#include <QApplication>
#include <functional>
#include <string>

// The QApplication every test program shares (created on first use, offscreen).
QApplication& TestApp();

// Lets events run until done() holds, at most timeoutMs; whether it came to hold.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Input as the user gives it, through the application's event delivery (event filters see it):
// a left click in the middle of the widget, or a key pressed on it.
// queued: posted, as clicks the window system delivers once the event loop runs again.
void UserClick(QWidget& widget, bool queued = false);
void PressKey(QWidget& widget, int key);

class TestEnvironment {
public:
    explicit TestEnvironment(bool createImage = true);
    ~TestEnvironment();
    const std::string& Folder() const { return folder_; }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

private:
    std::string folder_;
    std::string oldCwd_;
};
