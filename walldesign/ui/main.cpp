// Tavelond: design of sheet pile walls by the Blum method.
#include "walldesign/ui/startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return wd::RunTavelond(app);
}
