// Native services behind small interfaces: message box, beep, timer, file
// dialogs. Program code reaches them through CurrentPlatform(), which holds the
// Qt implementations unless a test installed fakes (platform/gui/fakes.h).
// This header needs no Qt.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sps {

enum class TMsgKind { Error, Warning, Information, Question };
enum class TMsgButtons { OK, YesNo };
enum class TMsgResult { OK, Yes, No };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Modal; returns the button chosen (closing a Yes/No box counts as No).
    virtual TMsgResult Show(const std::string& caption, const std::string& text, TMsgKind kind,
                            TMsgButtons buttons) = 0;
};

// Beep types: the default beep and the exclamation beep.
inline constexpr unsigned kBeepDefault = 0;
inline constexpr unsigned kBeepExclamation = 48;

class IBeeper {
public:
    virtual ~IBeeper() = default;
    virtual void Beep(unsigned type) = 0;
};

// A timer that calls OnTimer every Interval milliseconds while Enabled. An
// interval of 0 or no OnTimer means no ticks. Changing the interval of a
// running timer starts the period again. OnTimer runs inside RunGuarded.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    std::function<void()> OnTimer;
};

struct TFileDialogParams {
    std::string title;
    // "Description|*.ext|All files|*.*"; patterns of one entry separated by ";".
    std::string filter;
    // 1-based index of the filter entry shown first.
    int filterIndex = 1;
    // Appended (with a dot) to a name typed without extension.
    std::string defaultExt;
    std::string initialDir;
    std::string fileName;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen path, or empty when the user cancelled.
    virtual std::string Open(const TFileDialogParams& params) = 0;
    // Asks before replacing an existing file.
    virtual std::string Save(const TFileDialogParams& params) = 0;
};

struct Platform {
    std::shared_ptr<IMessageBox> messageBox;
    std::shared_ptr<IBeeper> beeper;
    std::shared_ptr<IFileDialogs> fileDialogs;
    std::function<std::unique_ptr<ITimer>()> createTimer;
    // Caption of the default error report.
    std::string applicationTitle;
    // Shows the message of an exception caught by RunGuarded. When empty, the
    // default error report: an error box captioned with applicationTitle, the
    // message with a period added unless it ends in one (or in a character
    // before it), and an OK button. Programs may set their own.
    std::function<void(const std::string& message)> showError;
};

// The services in use; the first call installs the Qt implementations.
Platform& CurrentPlatform();
// A platform of Qt implementations (needs a QApplication when used).
Platform QtPlatform();

TMsgResult ShowMessageBox(const std::string& caption, const std::string& text, TMsgKind kind,
                          TMsgButtons buttons = TMsgButtons::OK);
void MessageBeep(unsigned type);
std::unique_ptr<ITimer> CreateTimer();
std::string OpenFileDialog(const TFileDialogParams& params);
std::string SaveFileDialog(const TFileDialogParams& params);

// Modal dialogs of these services (message boxes, file and print dialogs)
// are announced while they are up, so that a window that would cover them
// (a splash window that stays on top) can step aside. A watcher is called
// with true before the first of nested dialogs shows and with false after the
// last one has gone; a failing watcher is ignored.
using ModalDialogWatcher = std::function<void(bool dialogUp)>;
// Returns the watcher's id for UnwatchModalDialogs.
int WatchModalDialogs(ModalDialogWatcher watcher);
void UnwatchModalDialogs(int id);
// True while a modal dialog of the services is up.
bool ModalDialogUp();

// Marks a modal dialog as up for its lifetime; every dialog the services
// show runs inside one.
class TModalDialogScope {
public:
    TModalDialogScope();
    ~TModalDialogScope();
    TModalDialogScope(const TModalDialogScope&) = delete;
    TModalDialogScope& operator=(const TModalDialogScope&) = delete;
};

// Runs `handler`; an exception leaving it is shown through showError and goes
// no further (exceptions must not cross the event loop). Returns false then.
bool RunGuarded(const std::function<void()>& handler);

// "Description|*.ext|All files|*.*" as Qt name filters
// {"Description (*.ext)", "All files (*)"}: "*.*" matches every file, ";"
// between patterns becomes a blank, an entry without patterns matches all.
std::vector<std::string> QtNameFilters(const std::string& filter);

} // namespace sps
