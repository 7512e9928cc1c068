// The start-up sequence of a calculator program: splash window, application
// title, main form and about box, the splash timer, the hint time, the loop.
#pragma once

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/splash.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

class QApplication;
class QWidget;

namespace cf {

// Raised while the main form is created to end the program at once (the user
// declined to look for the data file, or the file could not be read).
class ProgramEnd : public std::runtime_error {
public:
    explicit ProgramEnd(int exitCode = 1) : std::runtime_error("program end"), code(exitCode) {}
    int code;
};

struct StartupConfig {
    QString applicationTitle;      // e.g. "WQ KX Kestrane"
    // Creates the program's splash window, not yet shown.
    std::function<TSplashScreenBox*()> createSplash;
    // Creates the main form (its creation reads the data file and the
    // settings; it may raise ProgramEnd) and returns it, not yet shown.
    std::function<QWidget*()> createMainForm;
    // Creates the about box owned by the main form and hands it to the form.
    std::function<TAboutBox*(QWidget* mainForm)> createAboutBox;
    // Called after both forms exist, before the splash window gets the focus.
    std::function<void(QWidget* mainForm)> beforeSplashFocus;
};

// createMainForm for a main form built from `paths` and filled by its
// FormCreate; the form is freed when that fails.
template <class Form, class Paths>
std::function<QWidget*()> FormCreator(Paths paths)
{
    return [paths] {
        auto form = std::make_unique<Form>(paths);
        form->FormCreate();
        return static_cast<QWidget*>(form.release());
    };
}

// createAboutBox for a main form that keeps its about box (SetAboutBox): the
// program's about box class, built with the main form as owner.
template <class Form, class AboutBox>
std::function<TAboutBox*(QWidget*)> AboutBoxCreator()
{
    return [](QWidget* mainForm) {
        auto* form = static_cast<Form*>(mainForm);
        auto* box = new AboutBox(form);
        form->SetAboutBox(box);
        return static_cast<TAboutBox*>(box);
    };
}

// Sets the program's decimal separator from the locale.
void UseLocaleDecimalSeparator();

// A calculator whose start-up has finished: its main form shown, the splash
// window (unless it was closed meanwhile) holding the focus with its timer
// running.
struct StartedCalculator {
    // Null when the program ended while the main form was created, or when
    // the user closed the main form before start-up had finished.
    std::unique_ptr<QWidget> mainForm;
    QPointer<TSplashScreenBox> splash;
    int exitCode = 0;
};

// Start-up without the message loop. The splash window gets the focus only
// once the window manager has settled the newly shown main form (it may give
// that form the focus on its own), so that this focus change does not close
// the splash window; its timer starts when it holds the focus. Each wait ends
// after a bounded time.
StartedCalculator StartCalculator(QApplication& app, const StartupConfig& config);

// Runs the program; returns its exit code.
int RunCalculator(QApplication& app, const StartupConfig& config);

} // namespace cf
