#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>

#include <unistd.h>

// The reference for the updater's way to its confirm button: a bare engine page, never shown,
// that loads the same page and ends (exit code 42, as the firstshown plugin does) when it has.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QWebEnginePage page;
    QObject::connect(&page, &QWebEnginePage::loadFinished, [](bool ok) { ::_exit(ok ? 42 : 1); });
    page.load(QUrl(QString::fromLocal8Bit(argv[1])));
    return app.exec();
}
