#include "dosecalc/form1.h"

#include "common/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    common::initApplication(QStringLiteral("Quarvel"), QStringLiteral(":/quarvel/icons/quarvel.svg"));
    // Closing Form1 destroys it; the program goes on while Form2 or Form3 is still open.
    auto *window = new Form1;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return app.exec();
}
