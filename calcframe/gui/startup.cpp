#include "calcframe/gui/startup.h"

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/events.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/random.h"
#include "calcframe/gui/splash.h"
#include "platform/gui/services.h"
#include "platform/gui/locale.h"
#include "platform/numtext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QThread>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace cf {

void UseLocaleDecimalSeparator() { sps::UseLocaleDecimalSeparator(); }

namespace {

// Processes events until `done` holds or `ms` milliseconds have passed.
void ProcessEventsUntil(QApplication& app, const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        app.processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

// How long start-up waits for the window manager to activate a shown window.
constexpr int kActivationWaitMs = 1000;

} // namespace

StartedCalculator StartCalculator(QApplication& app, const StartupConfig& config)
{
    UseLocaleDecimalSeparator();
    Randomize();

    StartedCalculator started;
    started.splash = config.createSplash();
    QPointer<TSplashScreenBox>& splash = started.splash;
    splash->SetAlphaBlendValue(200 + Random(55));
    splash->show();
    splash->repaint();
    app.processEvents();

    // The title names the windows that carry no caption of their own (the
    // default error report); it is not appended to the captions of the others.
    app.setApplicationName(config.applicationTitle);
    sps::CurrentPlatform().applicationTitle = config.applicationTitle.toStdString();

    try {
        started.mainForm.reset(config.createMainForm());
    } catch (const ProgramEnd& end) {
        delete splash.data();
        started.exitCode = end.code;
        return started;
    }
    QWidget* mainForm = started.mainForm.get();
    if (config.createAboutBox)
        config.createAboutBox(mainForm);
    mainForm->show();
    if (config.beforeSplashFocus)
        config.beforeSplashFocus(mainForm);

    // A window manager activates a newly mapped window a moment after it was
    // shown; the splash window takes the focus after that. The user may close
    // the main form meanwhile.
    auto closed = [mainForm] { return mainForm->isHidden(); };
    ProcessEventsUntil(app, [&] { return !splash || closed() || mainForm->isActiveWindow(); }, kActivationWaitMs);
    if (splash && !closed()) {
        splash->raise();
        splash->activateWindow();
        ProcessEventsUntil(app, [&] { return !splash || closed() || splash->isActiveWindow(); }, kActivationWaitMs);
    }
    if (closed()) {
        // Its close wrote the settings; the program ends with it, before a
        // message loop that no window would ever end.
        delete splash.data();
        started.mainForm.reset();
        return started;
    }
    if (splash)
        splash->Timer1->SetEnabled(true);
    SetHintHidePause(2500);
    return started;
}

int RunCalculator(QApplication& app, const StartupConfig& config)
{
    StartedCalculator started = StartCalculator(app, config);
    if (!started.mainForm)
        return started.exitCode;
    int rc = app.exec();
    delete started.splash.data();
    return rc;
}

} // namespace cf
