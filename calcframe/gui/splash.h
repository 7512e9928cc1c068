// The borderless splash window shown while a calculator starts. It fades by
// 20 alpha steps at every tick of its timer and closes at the seventh tick, at
// a click, or when it loses the focus after start-up has finished. It frees
// itself when it closes. While a modal dialog of the platform services is up
// it steps aside (hides), so that the dialog is in front and usable; it shows
// again when the dialog has gone.
#pragma once

#include "platform/gui/services.h"

#include <QByteArray>
#include <QWidget>
#include <cstdint>
#include <memory>

class QLabel;

namespace cf {

class TSplashScreenBox : public QWidget {
public:
    // jpeg: the embedded picture, decoded with libjpeg; a decoding error is
    // shown and the window stays without picture.
    TSplashScreenBox(const QByteArray& jpeg, const QString& objectName, QWidget* parent = nullptr);
    ~TSplashScreenBox() override;

    QLabel* Image1;
    // Disabled until start-up has finished.
    std::unique_ptr<sps::ITimer> Timer1;

    int AlphaBlendValue() const { return alpha_; }
    void SetAlphaBlendValue(int alpha);
    int16_t Ticks() const { return ticks_; }

    void Timer1Timer();
    void FormClick();
    void FormDeactivate();

    // Client area of the window.
    static constexpr int kWidth = 414;
    static constexpr int kHeight = 315;
    static constexpr int kTimerInterval = 500; // ms
    // The tick at which the window closes.
    static constexpr int kLastTick = 7;

protected:
    void changeEvent(QEvent* ev) override;

private:
    void CloseAndRelease();
    void StepAsideForDialog(bool dialogUp);

    int alpha_ = 255;
    int dialogWatch_ = 0;
    bool hiddenForDialog_ = false;
    int16_t ticks_ = 0;
};

} // namespace cf
