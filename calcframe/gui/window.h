// What the calculators' main forms share around their components: the
// settings file's name, the window's frame and place, the data file's
// loading, the section list's click and the page control's handlers.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

class QListWidget;
class QTabWidget;
class QWidget;

namespace cf {

// The program's own path with the extension ".INI".
QString DefaultSettingsPath();

// Window flags of a main form: single fixed border with system menu and
// minimise button.
Qt::WindowFlags MainFormFlags();
// Moves the window to the middle of the primary screen.
void CentreOnScreen(QWidget* w);

// LoadCatalogueFile of both calculators: finds `fileName` in `folder` (or asks
// for it) and reads it with `read`. Raises ProgramEnd when the user declines
// or cancels, and, after the "seems to be corrupted" message, when `read`
// fails.
void LoadDataFile(const QString& folder, const char* fileName, const char* question,
                  const std::function<void(const std::string& path)>& read);

// Runs `onClick` when the user selects another line of `list` (mouse or
// keyboard) and when he clicks the line that is already selected. Lines
// selected from code while the list's signals are blocked do not run it.
void BindListClick(QListWidget* list, std::function<void()> onClick);

// The page control's handlers: at every change of page, `leave` runs for the
// page left, then `show` for the page shown; `change` only after a change
// made by the user. It belongs to the page control.
class PageSwitch : public QObject {
public:
    PageSwitch(QTabWidget* pages, std::function<void(QWidget* page)> leave, std::function<void(QWidget* page)> show,
               std::function<void()> change);
    // Shows `page` from code: its leave and show handlers run, the change
    // handler not.
    void Show(QWidget* page);

private:
    QTabWidget* pages_;
    QPointer<QWidget> shown_;
    bool fromCode_ = false;
};

} // namespace cf
