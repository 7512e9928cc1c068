#include "calcframe/gui/startup.h"

#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/events.h"
#include "calcframe/gui/hints.h"
#include "calcframe/gui/random.h"
#include "calcframe/gui/splash.h"
#include "platform/gui/locale.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace cf {

void UseLocaleDecimalSeparator() { sps::UseLocaleDecimalSeparator(); }

int RunCalculator(QApplication& app, const StartupConfig& config)
{
    UseLocaleDecimalSeparator();
    Randomize();

    QPointer<TSplashScreenBox> splash = new TSplashScreenBox(config.splashPicture, config.splashObjectName);
    splash->SetAlphaBlendValue(200 + Random(55));
    splash->show();
    splash->repaint();
    app.processEvents();

    app.setApplicationName(config.applicationTitle);
    app.setApplicationDisplayName(config.applicationTitle);

    std::unique_ptr<QWidget> mainForm;
    try {
        mainForm.reset(config.createMainForm());
    } catch (const ProgramEnd& end) {
        delete splash.data();
        return end.code;
    }
    if (config.createAboutBox)
        config.createAboutBox(mainForm.get());
    mainForm->show();
    if (config.beforeSplashFocus)
        config.beforeSplashFocus(mainForm.get());

    if (splash) {
        splash->raise();
        splash->activateWindow();
        splash->Timer1->SetEnabled(true);
    }
    SetHintHidePause(2500);

    int rc = app.exec();
    delete splash.data();
    return rc;
}

} // namespace cf
