#include "application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

namespace common {

void initApplication(const QString &title, const QString &iconPath)
{
    // The name only: a display name would be appended to every window caption on X11.
    QApplication::setApplicationName(title);
    // Lets the desktop match the windows to the program's installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.desktrio.") + title);
    QApplication::setStyle(QStringLiteral("Fusion"));
    if (!iconPath.isEmpty())
        QApplication::setWindowIcon(QIcon(iconPath));
    // The users' Song typeface writes Latin letters and digits half an ideograph wide, and the
    // layouts count on it ("mg/ml/min" just fills its label). Of the installed CJK fonts only the
    // monospaced one does the same.
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("Noto Sans Mono CJK SC"),
                                QStringLiteral("Noto Serif CJK SC")});
    // The layouts were drawn for the default font of a Chinese desktop, 宋体 9 point: a label such
    // as "体重（Kg）" just fills its 900 twips in it.
    QApplication::setFont(QFont(QStringLiteral("宋体"), 9));
}

} // namespace common
