// Kestrane: safety factors and material lists of combined walls.
#include "combiwall/gui/startup.h"
#include "platform/process.h"

#include <QApplication>

int main(int argc, char** argv)
{
    sps::PrepareProcess();
    QApplication app(argc, argv);
    return cf::RunCalculator(app, cw::KestraneStartup(cw::FormPaths{}));
}
