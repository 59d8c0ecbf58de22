#include "link/ExchangeGuard.h"

#include "link/Link.h"

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
    std::vector<QPointer<QWidget>> NewWindows;   // shown while held: the exchange's own boxes
    std::vector<QPointer<QWidget>> Closed;       // to close once the last guard goes

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
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
        if (event->type() == QEvent::Show) {
            if (widget == window && !Holds(NewWindows, window))
                NewWindows.emplace_back(window);
            return false;
        }
        if (Holds(NewWindows, window))
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
    if (f.Depth++ == 0 && QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(&f);
}

ExchangeGuard::~ExchangeGuard()
{
    InputFilter& f = Filter();
    // A guard kept by a window may end out of turn.
    std::erase_if(f.StopButtons, [this](const auto& entry) { return entry.first == this; });
    if (--f.Depth > 0)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(&f);
    f.NewWindows.clear();
    const std::vector<QPointer<QWidget>> closed = std::exchange(f.Closed, {});
    for (const QPointer<QWidget>& w : closed)
        if (w)
            w->close();
}

bool ExchangeGuard::Held() { return Filter().Depth > 0; }
