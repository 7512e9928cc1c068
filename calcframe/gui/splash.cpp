#include "calcframe/gui/splash.h"

#include "calcframe/gui/events.h"
#include "calcframe/gui/picture.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>

namespace cf {

TSplashScreenBox::TSplashScreenBox(const QByteArray& jpeg, const QString& objectName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main form, whether or not the splash still shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kWidth, kHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Inactive, QPalette::Highlight)); // clInactiveCaption
    setPalette(pal);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kWidth, kHeight);
    Image1->setAlignment(Qt::AlignCenter);
    Guard([&] {
        QImage img = DecodePicture(jpeg);
        Image1->setPixmap(QPixmap::fromImage(
            img.scaled(kWidth, kHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    });

    Timer1 = sps::CreateTimer();
    Timer1->SetInterval(kTimerInterval);
    Timer1->SetEnabled(false);
    Timer1->OnTimer = [this] { Timer1Timer(); };

    OnClick(this, [this] { FormClick(); });
    OnClick(Image1, [this] { FormClick(); });

    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());

    dialogWatch_ = sps::WatchModalDialogs([this](bool dialogUp) { StepAsideForDialog(dialogUp); });
}

TSplashScreenBox::~TSplashScreenBox() { sps::UnwatchModalDialogs(dialogWatch_); }

void TSplashScreenBox::StepAsideForDialog(bool dialogUp)
{
    if (dialogUp) {
        if (isVisible()) {
            hiddenForDialog_ = true;
            hide();
        }
    } else if (hiddenForDialog_) {
        hiddenForDialog_ = false;
        show();
        repaint();
    }
}

void TSplashScreenBox::SetAlphaBlendValue(int alpha)
{
    alpha_ = alpha;
    setWindowOpacity(alpha / 255.0);
}

void TSplashScreenBox::Timer1Timer()
{
    ++ticks_;
    SetAlphaBlendValue(alpha_ - 20);
    if (ticks_ >= kLastTick)
        CloseAndRelease();
}

void TSplashScreenBox::FormClick() { CloseAndRelease(); }

void TSplashScreenBox::FormDeactivate()
{
    if (Timer1->Enabled())
        CloseAndRelease();
}

void TSplashScreenBox::changeEvent(QEvent* ev)
{
    QWidget::changeEvent(ev);
    if (ev->type() == QEvent::ActivationChange && !isActiveWindow())
        Guard([this] { FormDeactivate(); });
}

void TSplashScreenBox::CloseAndRelease()
{
    Timer1->SetEnabled(false);
    hiddenForDialog_ = false;
    close(); // WA_DeleteOnClose frees the window
}

} // namespace cf
