#include "handcursor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ipupdate {

QImage handCursorImage()
{
    // Drawn upright, the fingertip at the origin and y growing down, then turned 45° to the
    // left so that the finger points to the upper left corner.
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(-2.5, 0, 5, 15), 2.5, 2.5);      // index finger
    hand.addRoundedRect(QRectF(2, 8.5, 4, 8), 2, 2);           // curled middle finger
    hand.addRoundedRect(QRectF(5.5, 9.5, 4, 7.5), 2, 2);       // ring finger
    hand.addRoundedRect(QRectF(9, 11, 3.5, 6.5), 1.75, 1.75);  // little finger
    hand.addRoundedRect(QRectF(-2.5, 13, 15, 10), 3.5, 3.5);   // palm
    hand.addRoundedRect(QRectF(-7, 12.5, 5, 9), 2.5, 2.5);     // thumb
    hand = hand.simplified();

    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(1.2, 1.2);
    painter.rotate(-45);
    painter.scale(1.25, 1.25);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    // The creases between the curled fingers.
    painter.drawLine(QPointF(5.8, 11.5), QPointF(5.8, 16.5));
    painter.drawLine(QPointF(9.2, 12.5), QPointF(9.2, 17));
    painter.end();
    return image;
}

QCursor handCursor()
{
    return QCursor(QPixmap::fromImage(handCursorImage()), 0, 0);
}

} // namespace ipupdate
