#include "dosecalc/compactlabel.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

void CompactLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRectF area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const qreal em = QFontInfo(font()).pixelSize();
    // Ideographs fill the em box, about 0.88 em of it above the baseline.
    const qreal baseline = std::round(em * 0.88);

    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    painter.setPen(palette().color(foregroundRole()));

    qreal top = 0;
    const QStringList paragraphs = text().split(QLatin1Char('\n'));
    for (QString paragraph : paragraphs) {
        if (paragraph.endsWith(QLatin1Char('\r')))
            paragraph.chop(1);
        QTextLayout layout(paragraph, font(), this);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, top + baseline - line.ascent()));
            top += em;
        }
        layout.endLayout();
        layout.draw(&painter, area.topLeft());
    }
}
