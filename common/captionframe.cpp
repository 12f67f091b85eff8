#include "captionframe.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace common {

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal em = QFontInfo(font()).pixelSize();
    const int top = int(em / 2);
    const QRect border = rect().adjusted(0, top, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));

    if (title().isEmpty())
        return;
    const QFontMetricsF metrics(font());
    const QRectF caption(7, 0, metrics.horizontalAdvance(title()) + 2, em);
    painter.fillRect(caption, palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    // Ideographs fill the em box, about 0.88 em of it above the baseline.
    painter.drawText(QPointF(caption.left() + 1, std::round(em * 0.88)), title());
}

} // namespace common
