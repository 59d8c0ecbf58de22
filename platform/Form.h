#pragma once
// The base of the program's dialog windows: the show and key plumbing every window shares, so
// that a window writes only its own handlers.
#include <QDialog>

#include <functional>

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    // Runs each time the program shows the window. Not when the window system shows it again
    // (restoring it after minimising), which must not reset what the user has in it.
    virtual void FormShow() {}
    // Gets every key the window's controls leave to the window; true when the window handled
    // it. An unhandled key goes on to QDialog (Esc closes, Enter presses a default button).
    virtual bool FormKeyDown(int key);

protected:
    // The keys most windows take: Esc runs onEsc, Enter (main or keypad) runs onEnter; true when
    // the key was one of them.
    static bool EscEnterKey(int key, const std::function<void()>& onEsc, const std::function<void()>& onEnter);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A window's global pointer (the program reaches every window through one): points to the
// window while it lives and is cleared when it goes, unless it points to another one by then.
// The window holds one as a member, made in its constructor with (its global, this).
template <class Window>
class FormInstance {
public:
    FormInstance(Window*& global, Window* self) : global_(global), self_(self) { global_ = self_; }
    ~FormInstance()
    {
        if (global_ == self_)
            global_ = nullptr;
    }
    FormInstance(const FormInstance&) = delete;
    FormInstance& operator=(const FormInstance&) = delete;

private:
    Window*& global_;
    Window* self_;
};

class QAbstractItemView;
class QFont;

// The height a line of text in this font needs. Liberation Mono, the stand-in for Courier New,
// draws the accents over capitals (Ś, Ć, Ż ...) above its ascent, where a row of its line height
// clips them.
int TextRowHeight(const QFont& font);
// Gives the view's rows that height, so that every Polish capital shows whole.
void FitRowsToAccents(QAbstractItemView* view);
