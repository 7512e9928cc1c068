#include "calcframe/gui/statusbar.h"

#include "calcframe/gui/events.h"
#include "calcframe/gui/services.h"
#include "platform/numtext.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace cf {

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        panels_[i]->setTextFormat(Qt::PlainText);
        addWidget(panels_[i], i == 0 ? 0 : 1);
    }
    SetPanel0Width(300);
}

QString TStatusBar::Panel(int index) const
{
    return index >= 0 && index < 2 ? panels_[index]->text() : QString();
}

void TStatusBar::SetPanel(int index, const QString& text)
{
    if (index == 0) {
        panels_[0]->setText(text);
        return;
    }
    if (index != 1)
        return;
    if (text.isEmpty()) {
        ShowStatus(QString());
        return;
    }
    if (quiet_ > 0)
        return;
    panels_[1]->setText(text);
    notice_ = true;
    noticeInput_ = CurrentInput();
    noticeError_ = beepInput_ == noticeInput_;
}

void TStatusBar::ShowStatus(const QString& text)
{
    if (NoticeHolds())
        return;
    panels_[1]->setText(text);
    notice_ = false;
}

bool TStatusBar::NoticeHolds() const
{
    if (!notice_ || !InInput())
        return false;
    if (noticeInput_ == CurrentInput())
        return true;
    return noticeError_ && InChangeHandler();
}

void TStatusBar::Resolve(const QString& text)
{
    if (notice_ && panels_[1]->text() == text) {
        panels_[1]->clear();
        notice_ = false;
    }
}

void TStatusBar::Beep(int type)
{
    if (quiet_ > 0)
        return;
    if (InInput() && beepInput_ == CurrentInput())
        return;
    beepInput_ = CurrentInput();
    if (notice_ && noticeInput_ == beepInput_)
        noticeError_ = true;
    MessageBeep(type);
}

void TStatusBar::ClearPanels()
{
    ClearPanel(0);
    ClearPanel(1);
}

int TStatusBar::PanelWidth(int index) const
{
    if (index == 0)
        return panels_[0]->minimumWidth();
    return panels_[1]->width();
}

void TStatusBar::SetPanel0Width(int width) { panels_[0]->setFixedWidth(width); }

int StatusPanelWidth(int pixelsPerInch)
{
    return static_cast<int>(sps::RoundHalfEven(300.0 * pixelsPerInch / 96.0));
}

void SetupStatusBar(TStatusBar* sb, int pixelsPerInch)
{
    sb->SetPanel0Width(StatusPanelWidth(pixelsPerInch));
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    sb->setFont(f);
}

void SetupStatusBar(TStatusBar* sb)
{
    QScreen* screen = sb->screen() ? sb->screen() : QGuiApplication::primaryScreen();
    int ppi = screen ? static_cast<int>(sps::RoundHalfEven(screen->logicalDotsPerInchY())) : 96;
    SetupStatusBar(sb, ppi);
}

} // namespace cf
