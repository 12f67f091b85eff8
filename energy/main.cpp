#include "energy/frmmain.h"

#include "common/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    common::initApplication(QStringLiteral("Kelvio"), QStringLiteral(":/kelvio/icons/kelvio.svg"));

    // The program's only window; closing it ends the program.
    frmmain window;
    window.show();
    return app.exec();
}
