// Rovandel: safety factors of steel sheet piles that lose thickness by corrosion.
#include "calcframe/gui/aboutbox.h"
#include "calcframe/gui/startup.h"
#include "corrosion/gui/form.h"
#include "corrosion/gui/formdata.h"
#include "corrosion/gui/picture.h"

#include <QApplication>
#include <QLineEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    cf::StartupConfig config;
    config.applicationTitle = QString::fromLatin1(rv::kApplicationTitle);
    config.splashObjectName = QStringLiteral("RovandelSplashScreenBox");
    config.splashPicture = rv::SplashPicture();
    config.createMainForm = cf::FormCreator<rv::TForm1>(rv::FormPaths{});
    cf::AboutBoxTexts texts;
    texts.objectName = QStringLiteral("RovandelAboutBox");
    texts.caption = QStringLiteral(" Rovandel About");
    texts.version = QString::fromLatin1(rv::kVersionLine);
    texts.authorHint = QStringLiteral(" Rovandel: written for the engineers who check corroded sheet piles ");
    config.createAboutBox = cf::AboutBoxCreator<rv::TForm1>(texts, rv::EmblemPicture());
    // The bending moment field has the focus when the main form comes up.
    config.beforeSplashFocus = [](QWidget* mainForm) {
        static_cast<rv::TForm1*>(mainForm)->Edit_Moment->setFocus(Qt::OtherFocusReason);
    };
    return cf::RunCalculator(app, config);
}
