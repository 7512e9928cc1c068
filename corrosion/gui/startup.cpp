#include "corrosion/gui/startup.h"

#include "corrosion/gui/formdata.h"
#include "corrosion/gui/picture.h"

#include <QLineEdit>

namespace rv {

namespace {

cf::AboutBoxTexts RovandelAboutTexts()
{
    cf::AboutBoxTexts texts;
    texts.objectName = QStringLiteral("RovandelAboutBox");
    texts.caption = QStringLiteral(" Rovandel About");
    texts.version = QString::fromLatin1(kVersionLine);
    texts.authorHint = QStringLiteral(" Rovandel: written for the engineers who check corroded sheet piles ");
    return texts;
}

} // namespace

TRovandelSplashScreenBox::TRovandelSplashScreenBox()
    : cf::TSplashScreenBox(SplashPicture(), QStringLiteral("RovandelSplashScreenBox"))
{
}

TRovandelAboutBox::TRovandelAboutBox(QWidget* owner) : cf::TAboutBox(RovandelAboutTexts(), EmblemPicture(), owner) {}

cf::StartupConfig RovandelStartup(const FormPaths& paths)
{
    cf::StartupConfig config;
    config.applicationTitle = QString::fromLatin1(kApplicationTitle);
    config.createSplash = [] { return new TRovandelSplashScreenBox; };
    config.createMainForm = cf::FormCreator<TForm1>(paths);
    config.createAboutBox = cf::AboutBoxCreator<TForm1, TRovandelAboutBox>();
    config.beforeSplashFocus = [](QWidget* mainForm) {
        static_cast<TForm1*>(mainForm)->Edit_Moment->setFocus(Qt::OtherFocusReason);
    };
    return config;
}

} // namespace rv
