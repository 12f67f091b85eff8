#pragma once

#include <QString>

class QWidget;

namespace common {

enum class MessageIcon { None, Information, Warning };

// A modal message box with one OK button; returns when the user has closed it. An empty
// title shows the program's title.
void showMessage(QWidget *parent, const QString &text, MessageIcon icon = MessageIcon::None,
                 const QString &title = {});

} // namespace common
