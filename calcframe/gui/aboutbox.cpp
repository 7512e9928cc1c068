#include "calcframe/gui/aboutbox.h"

#include "calcframe/gui/events.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/picture.h"
#include "calcframe/gui/random.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace cf {

TAboutBox::TAboutBox(const AboutBoxTexts& texts, const QByteArray& picture, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    setModal(false);
    setFixedSize(329, 300);
    setFont(QFont(QStringLiteral("Arial"), 8));

    Bevel = new QFrame(this);
    Bevel->setObjectName(QStringLiteral("Bevel"));
    Bevel->setFrameShape(QFrame::Box);
    Bevel->setFrameShadow(QFrame::Sunken);
    Bevel->setGeometry(8, 8, 313, 246);

    Logo = new QLabel(this);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setGeometry(24, 16, 281, 60);
    Logo->setAlignment(Qt::AlignCenter);
    Guard([&] {
        QImage img = DecodePicture(picture);
        Logo->setPixmap(QPixmap::fromImage(img.scaled(Logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    });

    Notice = new QLabel(this);
    Notice->setObjectName(QStringLiteral("Notice"));
    Notice->setGeometry(24, 82, 281, 141);
    Notice->setAlignment(Qt::AlignCenter);
    Notice->setWordWrap(true);
    FitNotice();

    Version = new QLabel(texts.version, this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(24, 228, 281, 20);
    Version->setAlignment(Qt::AlignCenter);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(127, 264, 75, 27);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { Guard([this] { OKButtonClick(); }); });

    Lbl_Author = new QLabel(QStringLiteral("\u00b7"), this);
    Lbl_Author->setObjectName(QStringLiteral("Lbl_Author"));
    Lbl_Author->setGeometry(310, 280, 11, 15);
    Lbl_Author->setToolTip(texts.authorHint);
    Lbl_Author->setMouseTracking(true);
    Lbl_Author->installEventFilter(this);
    SetShowHint(Lbl_Author, true);
}

void TAboutBox::SetAlphaBlendValue(int alpha)
{
    alpha_ = alpha;
    setWindowOpacity(alpha / 255.0);
}

void TAboutBox::FitNotice()
{
    // From the dialog's size down to the smallest readable one, the largest
    // bold font in which the wrapped notice fits its label.
    constexpr double kSmallest = 6.0;
    QFont bold = font();
    bold.setBold(true);
    for (double size = bold.pointSizeF(); size >= kSmallest; size -= 0.5) {
        bold.setPointSizeF(size);
        const QRect used = QFontMetrics(bold).boundingRect(QRect(0, 0, Notice->width(), 0),
                                                           Qt::TextWordWrap | Notice->alignment(), Notice->text());
        if (used.height() <= Notice->height() && used.width() <= Notice->width())
            break;
    }
    Notice->setFont(bold);
}

void TAboutBox::ShowAbout(const QString& notice)
{
    Notice->setText(notice);
    FitNotice();
    SetAlphaBlendValue(185 + Random(70));
    if (QWidget* owner = parentWidget()) {
        QRect r = frameGeometry();
        r.moveCenter(owner->frameGeometry().center());
        move(r.topLeft());
    }
    show();
    activateWindow();
}

void TAboutBox::OKButtonClick() { close(); }

void TAboutBox::FormDeactivate() { close(); }

void TAboutBox::Lbl_AuthorMouseMove()
{
    SetHintPause(4000);
    SetHintColor(QColor(0xFF, 0xFF, 0xE1));
    SetHintHidePause(2000);
}

void TAboutBox::Lbl_AuthorMouseLeave()
{
    SetHintPause(1000);
    SetHintColor(QColor(0xFF, 0xFF, 0xE1));
    SetHintHidePause(1500);
    SetShowHint(Lbl_Author, false);
}

void TAboutBox::changeEvent(QEvent* ev)
{
    QDialog::changeEvent(ev);
    if (ev->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        Guard([this] { FormDeactivate(); });
}

bool TAboutBox::eventFilter(QObject* obj, QEvent* ev)
{
    if (obj == Lbl_Author) {
        if (ev->type() == QEvent::MouseMove)
            Guard([this] { Lbl_AuthorMouseMove(); });
        else if (ev->type() == QEvent::Leave)
            Guard([this] { Lbl_AuthorMouseLeave(); });
    }
    return QDialog::eventFilter(obj, ev);
}

} // namespace cf
