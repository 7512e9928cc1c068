// The start-up sequence of a calculator program: splash window, application
// title, main form and about box, the splash timer, the hint time, the loop.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

class QApplication;
class QWidget;

namespace cf {

class TAboutBox;

// Raised while the main form is created to end the program at once (the user
// declined to look for the data file, or the file could not be read).
class ProgramEnd : public std::runtime_error {
public:
    explicit ProgramEnd(int exitCode = 1) : std::runtime_error("program end"), code(exitCode) {}
    int code;
};

struct StartupConfig {
    QString applicationTitle;      // e.g. "WQ KX Kestrane"
    QString splashObjectName;      // e.g. "SplashScreenBox"
    QByteArray splashPicture;      // JPEG bytes
    // Creates the main form (its creation reads the data file and the
    // settings; it may raise ProgramEnd) and returns it, not yet shown.
    std::function<QWidget*()> createMainForm;
    // Creates the about box owned by the main form and hands it to the form.
    std::function<TAboutBox*(QWidget* mainForm)> createAboutBox;
    // Called after both forms exist, before the splash window gets the focus.
    std::function<void(QWidget* mainForm)> beforeSplashFocus;
};

// Sets the program's decimal separator from the locale.
void UseLocaleDecimalSeparator();

// Runs the program; returns its exit code.
int RunCalculator(QApplication& app, const StartupConfig& config);

} // namespace cf
