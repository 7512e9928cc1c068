// Rovandel: safety factors of steel sheet piles that lose thickness by corrosion.
#include "corrosion/gui/startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return cf::RunCalculator(app, rv::RovandelStartup(rv::FormPaths{}));
}
