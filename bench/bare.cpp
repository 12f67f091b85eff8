#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

// The reference for start-up time and memory: the least a Qt Widgets program with one window,
// a label and a text box can do.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(345, 166);
    auto *label = new QLabel(QStringLiteral("身高"), &window);
    label->move(16, 32);
    auto *box = new QLineEdit(&window);
    box->setGeometry(56, 32, 65, 21);
    window.show();
    return app.exec();
}
