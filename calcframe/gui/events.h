// Binding of the form's handlers to widget events: enter (focus in), exit
// (focus out), key press (one character, refusable) and click. Every handler
// runs inside Guard, so no exception reaches Qt's event loop.
#pragma once

#include <QChar>
#include <QString>
#include <functional>

class QWidget;

namespace cf {

// Runs fn; an exception leaving it is shown in an error box with its text
// (the one guard of every GUI handler).
void Guard(const std::function<void()>& fn);

// Focus gained, except when only the window was activated or a popup closed.
void OnEnter(QWidget* w, std::function<void()> fn);
// Focus lost, except when another window was activated or a popup opened.
void OnExit(QWidget* w, std::function<void()> fn);
// Key press with a text: the handler sees the first character and may set it
// to QChar(0) to refuse the key. Keys without text (arrows) and Tab, Backtab
// and Delete pass.
void OnKeyPress(QWidget* w, std::function<void(QChar&)> fn);
// Mouse press with the left button on the widget.
void OnClick(QWidget* w, std::function<void()> fn);

// Gives the focus back to `w` from its exit handler, once the focus change
// that is running has ended. The field that took the focus meanwhile runs
// neither its enter nor its exit handler, and `w` not its enter handler: to
// the handlers the focus never left `w`.
void GiveFocusBack(QWidget* w);

} // namespace cf
