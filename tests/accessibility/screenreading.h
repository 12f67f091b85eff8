#pragma once

// What a screen reader learns of a window: its accessibility tree as Qt gives it to the
// desktop's assistive technologies.

#include <QAccessible>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace accessibility {

// One object of the tree, as a screen reader announces it.
struct Reading {
    // Object names from the window down, "Form1/Frame1/Text1"; an object without a name is
    // given by its class.
    QString path;
    QAccessible::Role role = QAccessible::NoRole;
    QString name;
    QString description;
    QString value;
    bool focusable = false;
    // Whether the relations name a label for it, which is how some desktops name an input.
    QStringList labelledBy;
};

// Every object of `window`'s tree, the window first, walked from the window's interface down
// through the children that each interface gives.
QList<Reading> readWindow(QWidget *window);

// The reading of the one object whose path ends in "/<objectName>"; an empty path when the
// tree has no such object.
Reading readControl(QWidget *window, const QString &objectName);

// The paths of the inputs that a screen reader would announce without a name: every editable
// text, combo box and spin box, and anything else that takes the focus.
QStringList namelessInputs(QWidget *window);

} // namespace accessibility
