#include "calcframe/gui/hints.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEvent>
#include <QPalette>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

namespace cf {

namespace {

const char* kShowHint = "ShowHint";

class HintFilter : public QObject {
public:
    HintFilter()
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] { ShowPending(); });
        qApp->installEventFilter(this);
    }

    HintTiming timing;

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override
    {
        switch (ev->type()) {
        case QEvent::ToolTip:
            return obj->isWidgetType(); // Qt's own timing is replaced by ours
        case QEvent::Enter:
            if (obj->isWidgetType()) {
                auto* w = static_cast<QWidget*>(obj);
                if (!w->toolTip().isEmpty()) {
                    pending_ = w;
                    rest_.start();
                    timer_.start(timing.pause);
                }
            }
            break;
        case QEvent::MouseMove:
            if (obj == pending_.data() && timer_.isActive())
                rest_.start(); // the pause counts from the last move
            break;
        case QEvent::Leave:
            if (obj == pending_.data()) {
                timer_.stop();
                pending_ = nullptr;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void ShowPending()
    {
        QWidget* w = pending_.data();
        if (!w || !w->underMouse() || !HintShows(w))
            return;
        qint64 rested = rest_.elapsed();
        if (rested < timing.pause) {
            timer_.start(static_cast<int>(timing.pause - rested));
            return;
        }
        QPalette pal = QToolTip::palette();
        pal.setColor(QPalette::ToolTipBase, timing.color);
        QToolTip::setPalette(pal);
        QToolTip::showText(QCursor::pos(), w->toolTip(), w, QRect(), timing.hidePause);
    }

    QTimer timer_;
    QElapsedTimer rest_;
    QPointer<QWidget> pending_;
};

HintFilter* Filter()
{
    static HintFilter* filter = nullptr;
    if (!filter) {
        filter = new HintFilter;
        filter->setParent(qApp);
        QObject::connect(qApp, &QObject::destroyed, [] { filter = nullptr; });
    }
    return filter;
}

} // namespace

HintTiming& ApplicationHints() { return Filter()->timing; }
void SetHintPause(int ms) { ApplicationHints().pause = ms; }
void SetHintHidePause(int ms) { ApplicationHints().hidePause = ms; }
void SetHintColor(const QColor& color) { ApplicationHints().color = color; }

void SetShowHint(QWidget* w, bool show) { w->setProperty(kShowHint, show); }

bool HintShows(const QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        QVariant v = w->property(kShowHint);
        if (v.isValid() && !v.toBool())
            return false;
    }
    return true;
}

} // namespace cf
