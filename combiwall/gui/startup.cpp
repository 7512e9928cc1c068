#include "combiwall/gui/startup.h"

#include "combiwall/gui/formdata.h"
#include "combiwall/gui/picture.h"

namespace cw {

namespace {

cf::AboutBoxTexts KestraneAboutTexts()
{
    cf::AboutBoxTexts texts;
    texts.objectName = QStringLiteral("KestraneAboutBox");
    texts.caption = QStringLiteral("WQ KX Kestrane About");
    texts.version = QStringLiteral("Version ") + QString::fromLatin1(kKestraneVersion);
    texts.authorHint = QStringLiteral(" Kestrane: written for the engineers who build combined walls ");
    return texts;
}

} // namespace

TKestraneAboutBox::TKestraneAboutBox(QWidget* owner) : cf::TAboutBox(KestraneAboutTexts(), KestranePicture(), owner)
{
}

cf::StartupConfig KestraneStartup(const FormPaths& paths)
{
    cf::StartupConfig config;
    config.applicationTitle = QStringLiteral("WQ KX Kestrane");
    config.createSplash = [] { return new cf::TSplashScreenBox(KestranePicture(), QStringLiteral("SplashScreenBox")); };
    config.createMainForm = cf::FormCreator<TForm1>(paths);
    config.createAboutBox = cf::AboutBoxCreator<TForm1, TKestraneAboutBox>();
    return config;
}

} // namespace cw
