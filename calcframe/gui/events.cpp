#include "calcframe/gui/events.h"

#include "platform/gui/services.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <vector>

namespace cf {

void Guard(const std::function<void()>& fn) { sps::RunGuarded(fn); }

namespace {

// A focus return is under way (GiveFocusBack): enter and exit handlers wait.
bool focusReturning = false;

// The handlers of one widget; a child object of it, so it lives as long.
class EventHooks : public QObject {
public:
    explicit EventHooks(QWidget* w) : QObject(w)
    {
        setObjectName(kName);
        w->installEventFilter(this);
    }

    static constexpr const char* kName = "cf_event_hooks";

    std::vector<std::function<void()>> enter, exit, click;
    std::vector<std::function<void(QChar&)>> keyPress;

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override
    {
        switch (ev->type()) {
        case QEvent::FocusIn:
            if (!focusReturning && IsUserFocus(static_cast<QFocusEvent*>(ev)->reason()))
                RunAll(enter);
            break;
        case QEvent::FocusOut:
            if (!focusReturning && IsUserFocus(static_cast<QFocusEvent*>(ev)->reason()))
                RunAll(exit);
            break;
        case QEvent::KeyPress:
            if (!keyPress.empty())
                return FilterKey(static_cast<QKeyEvent*>(ev));
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton)
                RunAll(click);
            break;
        default:
            break;
        }
        return QObject::eventFilter(obj, ev);
    }

private:
    static bool IsUserFocus(Qt::FocusReason r)
    {
        return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
    }

    static void RunAll(const std::vector<std::function<void()>>& fns)
    {
        // Copy: a handler may bind further handlers.
        auto copy = fns;
        for (auto& fn : copy)
            Guard(fn);
    }

    // True when the key is refused (the widget does not receive it).
    bool FilterKey(QKeyEvent* ke)
    {
        QString text = ke->text();
        if (text.isEmpty())
            return false;
        // Control combinations (copy, paste, select all) are not typed characters,
        // and Tab, Backtab and Delete move the focus or edit, as keys without text.
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab || ke->key() == Qt::Key_Delete)
            return false;
        QChar key = text.at(0);
        auto copy = keyPress;
        for (auto& fn : copy) {
            Guard([&] { fn(key); });
            if (key.isNull())
                return true;
        }
        return false;
    }
};

EventHooks* HooksOf(QWidget* w)
{
    auto* h = w->findChild<QObject*>(EventHooks::kName, Qt::FindDirectChildrenOnly);
    return h ? static_cast<EventHooks*>(h) : new EventHooks(w);
}

} // namespace

void OnEnter(QWidget* w, std::function<void()> fn) { HooksOf(w)->enter.push_back(std::move(fn)); }
void OnExit(QWidget* w, std::function<void()> fn) { HooksOf(w)->exit.push_back(std::move(fn)); }
void OnKeyPress(QWidget* w, std::function<void(QChar&)> fn) { HooksOf(w)->keyPress.push_back(std::move(fn)); }
void OnClick(QWidget* w, std::function<void()> fn) { HooksOf(w)->click.push_back(std::move(fn)); }

void GiveFocusBack(QWidget* w)
{
    focusReturning = true;
    QPointer<QWidget> target = w;
    QTimer::singleShot(0, [target] {
        if (target)
            target->setFocus(Qt::OtherFocusReason);
        focusReturning = false;
    });
}

} // namespace cf
