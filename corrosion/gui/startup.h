// How Rovandel starts: its title, splash window, main form, about box and
// the focus on the bending moment field before the splash window takes it.
#pragma once

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/splash.h"
#include "calcframe/gui/startup.h"
#include "corrosion/gui/form.h"

namespace rv {

// Rovandel's splash window: the frame's splash window with Rovandel's picture.
class TRovandelSplashScreenBox : public cf::TSplashScreenBox {
public:
    TRovandelSplashScreenBox();
};

// Rovandel's about box: the frame's about box with Rovandel's caption,
// version line, emblem and credit hint.
class TRovandelAboutBox : public cf::TAboutBox {
public:
    explicit TRovandelAboutBox(QWidget* owner);
};

cf::StartupConfig RovandelStartup(const FormPaths& paths);

} // namespace rv
