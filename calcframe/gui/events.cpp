#include "calcframe/gui/events.h"

#include "platform/gui/services.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <vector>

namespace cf {

namespace {

int inputDepth = 0;
uint64_t inputSerial = 0;
int changeDepth = 0;
// The input of the last focus-out, while no other input has begun since.
uint64_t focusOutInput = UINT64_MAX;

// Begins an input unless one runs; `focusIn` continues the input of the
// focus-out just before it.
class InputScope {
public:
    explicit InputScope(bool focusIn = false)
    {
        if (inputDepth++ == 0 && !(focusIn && focusOutInput == inputSerial))
            ++inputSerial;
    }
    ~InputScope() { --inputDepth; }
    InputScope(const InputScope&) = delete;
    InputScope& operator=(const InputScope&) = delete;
};

} // namespace

void Guard(const std::function<void()>& fn)
{
    InputScope input;
    sps::RunGuarded(fn);
}

bool InInput() { return inputDepth > 0; }
uint64_t CurrentInput() { return inputSerial; }
bool InChangeHandler() { return changeDepth > 0; }

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
            if (!focusReturning && IsUserFocus(static_cast<QFocusEvent*>(ev)->reason())) {
                InputScope input(true);
                RunAll(enter);
            }
            break;
        case QEvent::FocusOut:
            if (!focusReturning && IsUserFocus(static_cast<QFocusEvent*>(ev)->reason())) {
                {
                    InputScope input;
                    RunAll(exit);
                }
                focusOutInput = inputSerial;
            }
            break;
        case QEvent::KeyPress:
            if (!keyPress.empty()) {
                InputScope input;
                return FilterKey(obj, static_cast<QKeyEvent*>(ev));
            }
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton) {
                InputScope input;
                RunAll(click);
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(obj, ev);
    }

private:
    // Activating the window, opening a popup and opening a menu from the
    // keyboard (Alt) move the focus for a while without leaving the field.
    static bool IsUserFocus(Qt::FocusReason r)
    {
        return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason && r != Qt::MenuBarFocusReason;
    }

    static void RunAll(const std::vector<std::function<void()>>& fns)
    {
        // Copy: a handler may bind further handlers.
        auto copy = fns;
        for (auto& fn : copy)
            Guard(fn);
    }

    // True when the key is refused or replaced (the widget does not receive it).
    bool FilterKey(QObject* obj, QKeyEvent* ke)
    {
        QString text = ke->text();
        if (text.isEmpty())
            return false;
        // Control and Control+Shift combinations (copy, paste, select all) are
        // not typed characters; with Alt or Meta a line edit inserts the
        // character, so it is filtered as typed. Tab, Backtab and Delete move
        // the focus or edit, as keys without text.
        const Qt::KeyboardModifiers mods = ke->modifiers();
        if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
            return false;
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab || ke->key() == Qt::Key_Delete)
            return false;
        const QChar typed = text.at(0);
        if (typed.category() == QChar::Other_Control && typed != QChar(8))
            return false;
        QChar key = typed;
        auto copy = keyPress;
        for (auto& fn : copy) {
            Guard([&] { fn(key); });
            if (key.isNull())
                return true;
        }
        if (key == typed)
            return false;
        auto* edit = qobject_cast<QLineEdit*>(obj);
        if (!edit)
            return false;
        edit->insert(QString(key));
        return true;
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

void OnChange(QLineEdit* e, std::function<void()> fn)
{
    QObject::connect(e, &QLineEdit::textChanged, e, [fn = std::move(fn)] {
        Guard([&] {
            ++changeDepth;
            struct Leave {
                ~Leave() { --changeDepth; }
            } leave;
            fn();
        });
    });
}

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
