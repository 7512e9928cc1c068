// The start-up order of a calculator: splash first, then the main form and
// the about box, the splash timer only after both exist.
#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/splash.h"
#include "calcframe/gui/startup.h"
#include "platform/gui/fakes.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPointer>
#include <QThread>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray Picture()
{
    QImage img(414, 315, QImage::Format_RGB32);
    img.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return bytes;
}

cf::TSplashScreenBox* Splash() { return new cf::TSplashScreenBox(Picture(), QStringLiteral("SplashScreenBox")); }

cf::TSplashScreenBox* FindSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("SplashScreenBox"))
            return static_cast<cf::TSplashScreenBox*>(w);
    return nullptr;
}

QApplication& App() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

cf::StartupConfig Config()
{
    cf::StartupConfig config;
    config.applicationTitle = QStringLiteral("WQ KX Kestrane");
    config.createSplash = Splash;
    config.createMainForm = [] { return new QWidget; };
    return config;
}

// Ends a started calculator without its message loop.
void End(cf::StartedCalculator& started)
{
    delete started.splash.data();
    started.mainForm.reset();
}

TEST(Startup, SplashComesFirstAndItsTimerRunsAfterBothForms)
{
    sps::FakePlatform platform;
    cf::StartupConfig config;
    config.applicationTitle = QStringLiteral("WQ KX Kestrane");
    config.createSplash = Splash;
    std::vector<std::string> order;
    bool timerRanDuringCreation = true;
    config.createMainForm = [&] {
        cf::TSplashScreenBox* splash = FindSplash();
        EXPECT_TRUE(splash && splash->isVisible());
        timerRanDuringCreation = splash && splash->Timer1->Enabled();
        order.push_back("main form");
        return new QWidget;
    };
    int alpha = 0;
    bool timerEnabled = false;
    QTimer loopStarted;
    config.createAboutBox = [&](QWidget* main) {
        order.push_back("about box");
        // Start-up processes events too: look once the message loop runs.
        loopStarted.setInterval(5);
        QObject::connect(&loopStarted, &QTimer::timeout, [&] {
            if (QThread::currentThread()->loopLevel() == 0)
                return;
            loopStarted.stop();
            if (cf::TSplashScreenBox* splash = FindSplash()) {
                alpha = splash->AlphaBlendValue();
                timerEnabled = splash->Timer1->Enabled();
            }
            QApplication::closeAllWindows();
        });
        loopStarted.start();
        return new cf::TAboutBox(cf::AboutBoxTexts{}, Picture(), main);
    };
    int rc = cf::RunCalculator(*static_cast<QApplication*>(QCoreApplication::instance()), config);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"main form", "about box"}));
    EXPECT_FALSE(timerRanDuringCreation);
    EXPECT_TRUE(timerEnabled);
    EXPECT_GE(alpha, 200);
    EXPECT_LE(alpha, 254);
    EXPECT_EQ(cf::ApplicationHints().hidePause, 2500);
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("WQ KX Kestrane"));
    EXPECT_EQ(FindSplash(), nullptr);
}

TEST(Startup, AFailedMainFormEndsTheProgramWithoutTheLoop)
{
    sps::FakePlatform platform;
    cf::StartupConfig config;
    config.createSplash = Splash;
    config.createMainForm = []() -> QWidget* { throw cf::ProgramEnd(3); };
    bool aboutCreated = false;
    config.createAboutBox = [&](QWidget*) {
        aboutCreated = true;
        return nullptr;
    };
    int rc = cf::RunCalculator(*static_cast<QApplication*>(QCoreApplication::instance()), config);
    EXPECT_EQ(rc, 3);
    EXPECT_FALSE(aboutCreated);
    EXPECT_EQ(FindSplash(), nullptr);
}

TEST(Startup, TheSplashHoldsTheFocusAfterTheMainFormShowsAndLosesItOnlyAfterwards)
{
    sps::FakePlatform platform;
    cf::StartedCalculator started = cf::StartCalculator(App(), Config());
    ASSERT_TRUE(started.mainForm);
    QTest::qWait(50); // whatever the window system still delivers
    ASSERT_FALSE(started.splash.isNull());
    EXPECT_TRUE(started.splash->isVisible());
    EXPECT_TRUE(started.splash->isActiveWindow());
    EXPECT_TRUE(started.splash->Timer1->Enabled());

    QApplication::setActiveWindow(started.mainForm.get()); // the user clicks the main form
    QTest::qWait(20);
    EXPECT_TRUE(started.splash.isNull() || !started.splash->isVisible());
    End(started);
}

TEST(Startup, DialogsWhileTheMainFormIsCreatedAreNotCoveredByTheSplash)
{
    sps::FakePlatform platform;
    std::vector<bool> splashShownUnderDialog;
    auto look = [&](const auto&) {
        cf::TSplashScreenBox* splash = FindSplash();
        splashShownUnderDialog.push_back(splash && splash->isVisible());
    };
    platform.messages->whileShown = look;
    platform.files->whileShown = look;
    platform.messages->answers = {sps::TMsgResult::Yes};
    std::vector<bool> splashShownBetween;
    cf::StartupConfig config = Config();
    config.createMainForm = [&]() -> QWidget* {
        EXPECT_TRUE(cf::AskYesNoError(QStringLiteral("Browse for the file?")));
        splashShownBetween.push_back(FindSplash() && FindSplash()->isVisible());
        EXPECT_TRUE(cf::OpenFile(cf::OpenFileOptions{}).isEmpty());
        splashShownBetween.push_back(FindSplash() && FindSplash()->isVisible());
        cf::ShowFatalError(QStringLiteral("The file seems to be corrupted."));
        throw cf::ProgramEnd(1);
    };
    cf::StartedCalculator started = cf::StartCalculator(App(), config);
    EXPECT_FALSE(started.mainForm);
    EXPECT_EQ(splashShownUnderDialog, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(splashShownBetween, (std::vector<bool>{true, true}));
    ASSERT_EQ(platform.messages->calls.size(), 2u);
    EXPECT_EQ(platform.messages->calls[0].caption, "Error");
    EXPECT_EQ(platform.messages->calls[1].caption, "WQ KX Kestrane");
    EXPECT_EQ(FindSplash(), nullptr);
}

TEST(Startup, AMainFormClosedDuringStartUpEndsTheProgram)
{
    // Closed as soon as it shows, while start-up waits for the window manager:
    // the program ends with it (no message loop is left running without a window).
    sps::FakePlatform platform;
    cf::StartupConfig config = Config();
    bool closed = false;
    config.beforeSplashFocus = [&](QWidget* main) {
        QTimer::singleShot(0, main, [main, &closed] { closed = main->close(); });
    };
    QTimer guard; // ends a loop that would otherwise run for ever
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(20000);
    EXPECT_EQ(cf::RunCalculator(App(), config), 0);
    EXPECT_TRUE(closed);
    EXPECT_EQ(FindSplash(), nullptr);
}

TEST(Startup, TheProgramTitleIsNotAppendedToWindowCaptions)
{
    sps::FakePlatform platform;
    cf::StartedCalculator started = cf::StartCalculator(App(), Config());
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("WQ KX Kestrane"));
    EXPECT_EQ(sps::CurrentPlatform().applicationTitle, "WQ KX Kestrane"); // caption of the error report
    // Qt appends a display name of the application's own to every caption
    // ("Error - WQ KX Kestrane"); without one it follows the name.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(QStringLiteral("WQ KX Kestrane"));
    End(started);
}

} // namespace
