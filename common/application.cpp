#include "application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

namespace common {

void initApplication(const QString &title, const QString &iconPath)
{
    QApplication::setApplicationName(title);
    QApplication::setApplicationDisplayName(title);
    QApplication::setStyle(QStringLiteral("Fusion"));
    if (!iconPath.isEmpty())
        QApplication::setWindowIcon(QIcon(iconPath));
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("Noto Sans CJK SC")});
}

} // namespace common
