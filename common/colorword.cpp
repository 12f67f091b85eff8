#include "colorword.h"

#include <QGuiApplication>
#include <QPalette>

namespace common {

namespace {

// The system colours the programs name, by their index in the low byte.
QColor systemColor(quint32 index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0x05: // window background
        return palette.color(QPalette::Base);
    case 0x08: // window text
        return palette.color(QPalette::Text);
    case 0x0F: // button face
        return palette.color(QPalette::Button);
    case 0x12: // button text
        return palette.color(QPalette::ButtonText);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor colorFromWord(quint32 word)
{
    if (word & 0x80000000u)
        return systemColor(word & 0xFFu);
    return QColor(int(word & 0xFF), int((word >> 8) & 0xFF), int((word >> 16) & 0xFF));
}

QColor colorFromWord(QStringView text)
{
    if (!text.startsWith(u"&H", Qt::CaseInsensitive))
        return {};
    QStringView hex = text.mid(2);
    if (hex.endsWith(u'&'))
        hex.chop(1);
    bool ok = false;
    const quint32 word = hex.toUInt(&ok, 16);
    return ok ? colorFromWord(word) : QColor();
}

} // namespace common
