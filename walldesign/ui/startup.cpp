#include "walldesign/ui/startup.h"

#include "platform/gui/locale.h"
#include "platform/gui/services.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/ui/aboutform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace wd {

std::unique_ptr<TMainForm> BuildMainWindow(const TMainFormPaths& paths, QElapsedTimer* splashClock)
{
    auto form = std::make_unique<TMainForm>(paths);
    form->FormCreate();
    form->CreateAboutForm();
    if (splashClock) {
        splashClock->start();
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = form->AboutForm->frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            form->AboutForm->move(r.topLeft());
        }
        form->AboutForm->show();
        form->AboutForm->repaint();
        QApplication::processEvents();
    }
    try {
        form->CreateDialogs();
    } catch (...) {
        form->StartupFailed = true;
        throw;
    }
    sps::RunGuarded([&form] { form->ApplyUnitSystem(); });
    return form;
}

int RunTavelond(QApplication& app)
{
    sps::UseLocaleDecimalSeparator();
    RegisterWallClasses();
    app.setApplicationName(QStringLiteral("Tavelond"));
    sps::CurrentPlatform().applicationTitle = "Tavelond";

    QElapsedTimer splashClock;
    std::unique_ptr<TMainForm> form;
    try {
        form = BuildMainWindow(ProgramPaths(), &splashClock);
    } catch (const std::exception& e) {
        // Without its catalogue files the program cannot work.
        TMainForm::ShowErrorBox(e.what());
        return 1;
    }

    // The splash window stays up for a while, the events being processed.
    while (splashClock.elapsed() < kSplashMilliseconds) {
        QEventLoop wait;
        QTimer::singleShot(static_cast<int>(kSplashMilliseconds - splashClock.elapsed()), &wait, &QEventLoop::quit);
        wait.exec();
    }
    form->AboutForm->hide();
    form->showMaximized();
    int rc = app.exec();
    form.reset();
    return rc;
}

} // namespace wd
