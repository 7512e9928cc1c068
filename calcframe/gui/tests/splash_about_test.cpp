// The splash window's fading and its three ways to close, and the about box.
#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/splash.h"
#include "calcframe/gui/testsupport/clipping.h"
#include "platform/gui/fakes.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A JPEG of the splash window's size (encoded by Qt, decoded by the frame
// with libjpeg).
QByteArray Picture()
{
    QImage img(414, 315, QImage::Format_RGB32);
    img.fill(QColor(0xB0, 0xB8, 0xC2));
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    EXPECT_TRUE(img.save(&buf, "JPG"));
    return bytes;
}

TEST(Splash, FadesAndClosesAtTheSeventhTick)
{
    sps::FakePlatform platform;
    QPointer<cf::TSplashScreenBox> splash = new cf::TSplashScreenBox(Picture(), QStringLiteral("SplashScreenBox"));
    EXPECT_EQ(splash->size(), QSize(414, 315));
    ASSERT_FALSE(splash->Image1->pixmap().isNull());
    EXPECT_EQ(splash->Image1->pixmap().size(), QSize(414, 315));
    splash->SetAlphaBlendValue(200);
    splash->show();
    ASSERT_EQ(platform.timers->timers.size(), 1u);
    EXPECT_EQ(platform.timers->timers[0]->Interval(), 500);

    platform.timers->TickAll(); // disabled until start-up has finished
    EXPECT_EQ(splash->Ticks(), 0);

    splash->Timer1->SetEnabled(true);
    for (int tick = 1; tick <= 6; ++tick) {
        platform.timers->TickAll();
        EXPECT_EQ(splash->AlphaBlendValue(), 200 - 20 * tick);
        EXPECT_TRUE(splash->isVisible()) << tick;
    }
    EXPECT_NEAR(splash->windowOpacity(), 80 / 255.0, 0.01);
    platform.timers->TickAll();
    EXPECT_FALSE(splash->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()); // released when closed
    EXPECT_TRUE(platform.messages->calls.empty());
}

TEST(Splash, AClickOnThePictureClosesIt)
{
    sps::FakePlatform platform;
    QPointer<cf::TSplashScreenBox> splash = new cf::TSplashScreenBox(Picture(), QStringLiteral("SplashScreenBox"));
    splash->show();
    QTest::mouseClick(splash->Image1, Qt::LeftButton);
    EXPECT_FALSE(splash->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST(Splash, LosingTheFocusClosesItOnlyAfterStartUp)
{
    sps::FakePlatform platform;
    QWidget other;
    other.show();
    QPointer<cf::TSplashScreenBox> splash = new cf::TSplashScreenBox(Picture(), QStringLiteral("SplashScreenBox"));
    splash->show();
    QApplication::setActiveWindow(splash);
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    QApplication::setActiveWindow(&other); // while the main form is created
    QTest::qWait(20);
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());

    splash->Timer1->SetEnabled(true);
    QApplication::setActiveWindow(splash);
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    QApplication::setActiveWindow(&other);
    QTest::qWait(20);
    EXPECT_TRUE(splash.isNull() || !splash->isVisible());
    delete splash.data();
}

TEST(Splash, ADamagedPictureIsReportedAndTheWindowStays)
{
    sps::FakePlatform platform;
    QByteArray bytes = Picture();
    QPointer<cf::TSplashScreenBox> splash =
        new cf::TSplashScreenBox(bytes.left(300), QStringLiteral("SplashScreenBox"));
    ASSERT_EQ(platform.messages->calls.size(), 1u);
    EXPECT_EQ(platform.messages->calls[0].text.rfind("JPEG error #", 0), 0u) << platform.messages->calls[0].text;
    EXPECT_TRUE(splash->Image1->pixmap().isNull());
    delete splash.data();
}

cf::AboutBoxTexts Texts()
{
    cf::AboutBoxTexts t;
    t.objectName = QStringLiteral("KestraneAboutBox");
    t.caption = QStringLiteral("WQ KX Kestrane About");
    t.version = QStringLiteral("Version 1.0.0");
    t.authorHint = QStringLiteral(" credits ");
    return t;
}

TEST(AboutBox, ShowsTheNoticeWithARandomTransparencyAndClosesOnOk)
{
    sps::FakePlatform platform;
    QWidget owner;
    owner.setGeometry(100, 100, 600, 500);
    owner.show();
    cf::TAboutBox box(Texts(), Picture(), &owner);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("WQ KX Kestrane About"));
    // A dialog border: caption and close button only.
    const Qt::WindowFlags flags = box.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(box.objectName(), QStringLiteral("KestraneAboutBox"));
    EXPECT_TRUE(box.OKButton->isDefault());
    for (int i = 0; i < 20; ++i) {
        box.ShowAbout(QStringLiteral("notice"));
        EXPECT_GE(box.AlphaBlendValue(), 185);
        EXPECT_LE(box.AlphaBlendValue(), 254);
    }
    EXPECT_EQ(box.Notice->text(), QStringLiteral("notice"));
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.isModal());
    EXPECT_LE((box.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
    QTest::mouseClick(box.OKButton, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBox, TheNoticeFitsItsLabelWhateverItsLength)
{
    sps::FakePlatform platform;
    cf::TAboutBox box(Texts(), Picture(), nullptr);
    box.ShowAbout(QStringLiteral("Calculator\n\nShort notice."));
    EXPECT_EQ(box.Notice->font().pointSizeF(), 8.0);
    EXPECT_TRUE(box.Notice->font().bold());
    EXPECT_EQ(cf::test::ClippedTexts(&box).join(QLatin1Char('\n')).toStdString(), "");

    const QString notice = QStringLiteral(
        "Calculator\n\nSafety factors and material lists of combined walls.\n\n"
        "No liability is taken for errors in this program or in its results.\n"
        "Changes may be made without notice.\n\n"
        "Questions and remarks: your structural engineering support team.\n"
        "Telephone and mail: see the project's contact sheet.");
    box.ShowAbout(notice);
    EXPECT_LT(box.Notice->font().pointSizeF(), 8.0);
    EXPECT_GE(box.Notice->font().pointSizeF(), 6.0);
    EXPECT_EQ(cf::test::ClippedTexts(&box).join(QLatin1Char('\n')).toStdString(), "");
    // The notice stays below the emblem and above the version line.
    EXPECT_GE(box.Notice->y(), box.Logo->geometry().bottom());
    EXPECT_LE(box.Notice->geometry().bottom(), box.Version->y());
    box.close();
}

TEST(AboutBox, ClosesWhenTheOwnerFormIsActivated)
{
    sps::FakePlatform platform;
    QWidget owner;
    owner.show();
    cf::TAboutBox box(Texts(), Picture(), &owner);
    box.ShowAbout(QStringLiteral("notice"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    QApplication::setActiveWindow(&owner);
    QTest::qWait(20);
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBox, CreditHintTimingAndItsSingleShow)
{
    sps::FakePlatform platform;
    cf::TAboutBox box(Texts(), Picture(), nullptr);
    box.show();
    EXPECT_TRUE(cf::HintShows(box.Lbl_Author));
    QTest::mouseMove(box.Lbl_Author, QPoint(3, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), QPointF(4, 4), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box.Lbl_Author, &move);
    EXPECT_EQ(cf::ApplicationHints().pause, 4000);
    EXPECT_EQ(cf::ApplicationHints().hidePause, 2000);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box.Lbl_Author, &leave);
    EXPECT_EQ(cf::ApplicationHints().pause, 1000);
    EXPECT_EQ(cf::ApplicationHints().hidePause, 1500);
    EXPECT_FALSE(cf::HintShows(box.Lbl_Author));
}

} // namespace
