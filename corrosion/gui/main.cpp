// Rovandel: safety factors of steel sheet piles that lose thickness by corrosion.
#include "corrosion/gui/startup.h"
#include "platform/process.h"

#include <QApplication>

int main(int argc, char** argv)
{
    sps::PrepareProcess();
    QApplication app(argc, argv);
    return cf::RunCalculator(app, rv::RovandelStartup(rv::FormPaths{}));
}
