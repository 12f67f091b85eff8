#include "dosecalc/form1.h"

#include "common/application.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    common::initApplication(QStringLiteral("Quarvel"), QStringLiteral(":/quarvel/icons/quarvel.svg"));
    // The users' Song typeface writes Latin letters and digits half an ideograph wide, and the
    // layout counts on it: "mg/ml/min" just fills its label. Of the installed CJK fonts only the
    // monospaced one does the same.
    QFont::removeSubstitutions(QStringLiteral("宋体"));
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("SimSun"), QStringLiteral("Noto Sans Mono CJK SC"),
                                                       QStringLiteral("Noto Serif CJK SC")});
    QApplication::setFont(QFont(QStringLiteral("宋体"), 9));

    // Closing Form1 destroys it; the program goes on while Form2 or Form3 is still open.
    auto *window = new Form1;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return app.exec();
}
