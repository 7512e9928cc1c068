// Kestrane: safety factors and material lists of combined walls.
#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/startup.h"
#include "combiwall/gui/form.h"
#include "combiwall/gui/formdata.h"
#include "combiwall/gui/picture.h"
#include "platform/process.h"

#include <QApplication>

int main(int argc, char** argv)
{
    sps::PrepareProcess();
    QApplication app(argc, argv);
    cf::StartupConfig config;
    config.applicationTitle = QStringLiteral("WQ KX Kestrane");
    config.splashObjectName = QStringLiteral("SplashScreenBox");
    config.splashPicture = cw::KestranePicture();
    config.createMainForm = cf::FormCreator<cw::TForm1>(cw::FormPaths{});
    cf::AboutBoxTexts texts;
    texts.objectName = QStringLiteral("KestraneAboutBox");
    texts.caption = QStringLiteral("WQ KX Kestrane About");
    texts.version = QStringLiteral("Version ") + QString::fromLatin1(cw::kKestraneVersion);
    texts.authorHint = QStringLiteral(" Kestrane: written for the engineers who build combined walls ");
    config.createAboutBox = cf::AboutBoxCreator<cw::TForm1>(texts, cw::KestranePicture());
    return cf::RunCalculator(app, config);
}
