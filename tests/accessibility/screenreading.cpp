#include "screenreading.h"

#include <QWidget>

namespace accessibility {

namespace {

QString partOfPath(const QAccessibleInterface *node)
{
    const QObject *object = node->object();
    if (!object)
        return QStringLiteral("(%1)").arg(int(node->role()));
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

void read(QAccessibleInterface *node, const QString &parentPath, QList<Reading> &readings, int depth)
{
    // A tree of a few dozen controls; the bound only guards against a cycle.
    if (!node || depth > 32)
        return;
    Reading reading;
    reading.path = parentPath.isEmpty() ? partOfPath(node) : parentPath + QLatin1Char('/') + partOfPath(node);
    reading.role = node->role();
    reading.name = node->text(QAccessible::Name);
    reading.description = node->text(QAccessible::Description);
    reading.value = node->text(QAccessible::Value);
    reading.focusable = node->state().focusable;
    for (const auto &[other, relation] : node->relations(QAccessible::Label)) {
        Q_UNUSED(relation)
        reading.labelledBy << other->text(QAccessible::Name);
    }
    readings.append(reading);
    const QString path = reading.path;
    for (int i = 0; i < node->childCount(); ++i)
        read(node->child(i), path, readings, depth + 1);
}

bool isInput(const Reading &reading)
{
    switch (reading.role) {
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
        return true;
    default:
        return reading.focusable;
    }
}

} // namespace

QList<Reading> readWindow(QWidget *window)
{
    QList<Reading> readings;
    read(QAccessible::queryAccessibleInterface(window), QString(), readings, 0);
    return readings;
}

Reading readControl(QWidget *window, const QString &objectName)
{
    const QString ending = QLatin1Char('/') + objectName;
    for (const Reading &reading : readWindow(window)) {
        if (reading.path.endsWith(ending))
            return reading;
    }
    return {};
}

QStringList namelessInputs(QWidget *window)
{
    QStringList nameless;
    for (const Reading &reading : readWindow(window)) {
        if (isInput(reading) && reading.name.trimmed().isEmpty())
            nameless << reading.path;
    }
    return nameless;
}

} // namespace accessibility
