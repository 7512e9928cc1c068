#include "corrosion/gui/startup.h"

#include "calcframe/gui/aboutbox.h"
#include "corrosion/gui/formdata.h"
#include "corrosion/gui/picture.h"

#include <QLineEdit>

namespace rv {

cf::StartupConfig RovandelStartup(const FormPaths& paths)
{
    cf::StartupConfig config;
    config.applicationTitle = QString::fromLatin1(kApplicationTitle);
    config.splashObjectName = QStringLiteral("RovandelSplashScreenBox");
    config.splashPicture = SplashPicture();
    config.createMainForm = cf::FormCreator<TForm1>(paths);
    cf::AboutBoxTexts texts;
    texts.objectName = QStringLiteral("RovandelAboutBox");
    texts.caption = QStringLiteral(" Rovandel About");
    texts.version = QString::fromLatin1(kVersionLine);
    texts.authorHint = QStringLiteral(" Rovandel: written for the engineers who check corroded sheet piles ");
    config.createAboutBox = cf::AboutBoxCreator<TForm1>(texts, EmblemPicture());
    config.beforeSplashFocus = [](QWidget* mainForm) {
        static_cast<TForm1*>(mainForm)->Edit_Moment->setFocus(Qt::OtherFocusReason);
    };
    return config;
}

} // namespace rv
