// Binding of the form's handlers to widget events: enter (focus in), exit
// (focus out), key press (one character, refusable), text change and click.
// Every handler runs inside Guard, so no exception reaches Qt's event loop.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>

class QLineEdit;
class QWidget;

namespace cf {

// Runs fn; an exception leaving it is shown in an error box with its text
// (the one guard of every GUI handler). Run from the event loop, it is one
// input of the user.
void Guard(const std::function<void()>& fn);

// One input: all that one event of the user runs (a key, a click, a menu
// command, a text written by the user or from outside the handlers). The
// outermost Guard begins an input; the exit handlers and the enter handlers
// of one focus change are one input.
bool InInput();
// Number of the running input, or of the last one when none runs.
uint64_t CurrentInput();
// True while a change handler (OnChange) runs, directly or below.
bool InChangeHandler();

// Focus gained, except when only the window was activated or a popup closed.
void OnEnter(QWidget* w, std::function<void()> fn);
// Focus lost, except when another window was activated or a popup opened.
void OnExit(QWidget* w, std::function<void()> fn);
// Key press with a text: the handler sees the first character and may set it
// to QChar(0) to refuse the key, or to another character, which a line edit
// then receives instead, also with Alt or Meta held (a line edit inserts
// those). Keys without text (arrows), Tab, Backtab, Delete, the control keys
// but backspace (Enter, Escape) and Control combinations (copy, paste) pass:
// they are no input.
void OnKeyPress(QWidget* w, std::function<void(QChar&)> fn);
// Text change of a line edit, typed, pasted or written from code.
void OnChange(QLineEdit* e, std::function<void()> fn);
// Mouse press with the left button on the widget.
void OnClick(QWidget* w, std::function<void()> fn);

// Gives the focus back to `w` from its exit handler, once the focus change
// that is running has ended. The field that took the focus meanwhile runs
// neither its enter nor its exit handler, and `w` not its enter handler: to
// the handlers the focus never left `w`.
void GiveFocusBack(QWidget* w);

} // namespace cf
