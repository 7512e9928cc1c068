// Tavelond: design of sheet pile walls by the Blum method.
#include "platform/process.h"
#include "walldesign/ui/startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    sps::PrepareProcess();
    QApplication app(argc, argv);
    return wd::RunTavelond(app);
}
