// The start-up order of a calculator: splash first, then the main form and
// the about box, the splash timer only after both exist.
#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/splash.h"
#include "calcframe/gui/startup.h"
#include "platform/gui/fakes.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPointer>
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

cf::TSplashScreenBox* FindSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("SplashScreenBox"))
            return static_cast<cf::TSplashScreenBox*>(w);
    return nullptr;
}

TEST(Startup, SplashComesFirstAndItsTimerRunsAfterBothForms)
{
    sps::FakePlatform platform;
    cf::StartupConfig config;
    config.applicationTitle = QStringLiteral("WQ KX Kestrane");
    config.splashObjectName = QStringLiteral("SplashScreenBox");
    config.splashPicture = Picture();
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
    config.createAboutBox = [&](QWidget* main) {
        order.push_back("about box");
        // Runs once the message loop has started.
        QTimer::singleShot(0, [&] {
            if (cf::TSplashScreenBox* splash = FindSplash()) {
                alpha = splash->AlphaBlendValue();
                timerEnabled = splash->Timer1->Enabled();
            }
            QApplication::closeAllWindows();
        });
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
    config.splashObjectName = QStringLiteral("SplashScreenBox");
    config.splashPicture = Picture();
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

} // namespace
