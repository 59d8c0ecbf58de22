#include "link/ExchangeGuard.h"

#include "link/Link.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool Holds(const std::vector<QPointer<QWidget>>& list, const QWidget* w)
{
    return std::any_of(list.begin(), list.end(), [w](const QPointer<QWidget>& p) { return p == w; });
}

class InputFilter : public QObject {
public:
    int Depth = 0;
    std::vector<std::pair<const ExchangeGuard*, QPointer<QWidget>>> StopButtons;  // one per guard held
    // The windows there when the outermost guard was taken: any other is one of the exchange's own
    // boxes. Hiding or minimising a window and showing it again makes it no newer.
    std::vector<QPointer<QWidget>> Before;
    std::vector<QPointer<QWidget>> Admitted;     // of those, the ones the exchange itself shows
    std::vector<QPointer<QWidget>> Closed;       // to close once the last guard goes

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Close:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            break;
        default:
            return false;
        }
        // A shortcut may go to an action or a shortcut object: the widget that owns it counts.
        QObject* o = watched;
        while (o && !o->isWidgetType())
            o = o->parent();
        if (!o)
            return false;
        auto* widget = static_cast<QWidget*>(o);
        QWidget* window = widget->window();
        if (!Holds(Before, window) || Holds(Admitted, window))
            return false;
        if (event->type() == QEvent::Close) {
            if (widget != window)
                return false;
            Link.AbortRequestFlag = 1;
            if (!Holds(Closed, window))
                Closed.emplace_back(window);
            event->ignore();
            return true;
        }
        for (const auto& [guard, stop] : StopButtons)
            if (stop && (stop == widget || stop->isAncestorOf(widget)))
                return false;
        // Esc stops the transfer, and goes on to the window, whose own Esc stops it as well.
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress)
                Link.AbortRequestFlag = 1;
            return false;
        }
        return true;
    }
};

InputFilter& Filter()
{
    static auto* filter = new InputFilter;
    return *filter;
}

} // namespace

ExchangeGuard::ExchangeGuard(QWidget* stopButton)
{
    InputFilter& f = Filter();
    f.StopButtons.emplace_back(this, stopButton);
    if (f.Depth++ > 0 || !QCoreApplication::instance())
        return;
    for (QWidget* window : QApplication::topLevelWidgets())
        f.Before.emplace_back(window);
    QCoreApplication::instance()->installEventFilter(&f);
}

ExchangeGuard::~ExchangeGuard()
{
    InputFilter& f = Filter();
    // A guard kept by a window may end out of turn.
    std::erase_if(f.StopButtons, [this](const auto& entry) { return entry.first == this; });
    // Clicks and keys that came while the exchange let no events run still wait in the queue: they
    // are taken here, under the guard, so that none starts a second exchange once it has gone.
    if (f.Depth == 1 && QCoreApplication::instance())
        QCoreApplication::processEvents();
    if (--f.Depth > 0)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(&f);
    f.Before.clear();
    f.Admitted.clear();
    const std::vector<QPointer<QWidget>> closed = std::exchange(f.Closed, {});
    for (const QPointer<QWidget>& w : closed)
        if (w)
            w->close();
}

bool ExchangeGuard::Held() { return Filter().Depth > 0; }

void ExchangeGuard::Admit(QWidget* window)
{
    InputFilter& f = Filter();
    if (f.Depth > 0 && window && !Holds(f.Admitted, window->window()))
        f.Admitted.emplace_back(window->window());
}
