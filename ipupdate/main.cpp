#include "frmmain.h"

#include "common/application.h"
#include "common/eventguard.h"
#include "common/messagebox.h"
#include "ipupdate/socketlayer.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char *argv[])
{
    // The browser engine renders through contexts shared with the toolkit's own.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    common::initApplication(QStringLiteral("Ostrand"), QStringLiteral(":/ipupdate/icons/ostrand.svg"));
    common::setFaultSink([](const common::Fault &fault) {
        common::showMessage(nullptr, QString::fromUtf8(fault.what()));
    });

    QPointer<ipupdate::frmmain> window = new ipupdate::frmmain;
    if (!window->load(ipupdate::systemSocketLayer())) {
        delete window;
        return 1;
    }
    window->show();
    const int status = app.exec();
    // The unseen page must end before the engine does; a main window closed last may still
    // be waiting for its deletion.
    delete window;
    return status;
}
