#include "messagebox.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace common {

void showMessage(QWidget *parent, const QString &text, MessageIcon icon, const QString &title)
{
    const QMessageBox::Icon shown = icon == MessageIcon::Information ? QMessageBox::Information
                                    : icon == MessageIcon::Warning   ? QMessageBox::Warning
                                                                     : QMessageBox::NoIcon;
    QMessageBox box(shown, title.isEmpty() ? QGuiApplication::applicationName() : title,
                    text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace common
