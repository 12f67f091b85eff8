#include "layoutcheck.h"

#include "common/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

#include <cmath>

namespace layout {

namespace {

using common::twipsToPixels;

// The colour a word "&H00BBGGRR&" stands for: red in the low byte. Read here on its own, so a
// program that swaps the bytes is caught rather than agreed with. &H80000005& is the system's
// window background, the palette's base colour.
QColor colorOf(const char *word)
{
    bool ok = false;
    const quint32 value = QByteArray(word).mid(2).chopped(1).toUInt(&ok, 16);
    if (!ok)
        qFatal("not a colour word: %s", word);
    if (value == 0x80000005u)
        return QApplication::palette().color(QPalette::Base);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QString textOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return {};
}

Qt::Alignment alignmentOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->alignment() & Qt::AlignHorizontal_Mask;
    if (const auto *box = qobject_cast<const QLineEdit *>(control))
        return box->alignment() & Qt::AlignHorizontal_Mask;
    return {};
}

// The control alone, as the screen shows it, over the background of its container.
QImage drawn(QWidget *control)
{
    QImage image(control->size(), QImage::Format_RGB32);
    const QWidget *under = control->parentWidget() ? control->parentWidget() : control;
    image.fill(under->palette().color(under->backgroundRole()));
    control->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

QColor dominantColor(const QImage &image)
{
    QHash<QRgb, int> count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++count[image.pixel(x, y)];
    QRgb most = 0;
    int mostCount = -1;
    for (auto it = count.cbegin(); it != count.cend(); ++it) {
        if (it.value() > mostCount) {
            most = it.key();
            mostCount = it.value();
        }
    }
    return QColor::fromRgb(most);
}

// Whether some pixel is ink of colour `ink` laid over `paper`: smoothed edges blend the two, so
// a pixel counts when it lies on the way from paper to ink, at least halfway there.
bool drawsInk(const QImage &image, const QColor &ink, const QColor &paper)
{
    const double dr = ink.red() - paper.red();
    const double dg = ink.green() - paper.green();
    const double db = ink.blue() - paper.blue();
    const double span = dr * dr + dg * dg + db * db;
    if (span == 0)
        return false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = QColor::fromRgb(image.pixel(x, y));
            const double pr = pixel.red() - paper.red();
            const double pg = pixel.green() - paper.green();
            const double pb = pixel.blue() - paper.blue();
            const double share = (pr * dr + pg * dg + pb * db) / span;
            const double offR = pr - share * dr;
            const double offG = pg - share * dg;
            const double offB = pb - share * db;
            if (share >= 0.5 && std::sqrt(offR * offR + offG * offG + offB * offB) <= 24)
                return true;
        }
    }
    return false;
}

QString colorText(const QColor &color)
{
    return color.name();
}

// The top edge of a frame's border as drawn: the first row, in a column clear of the caption,
// that is not the background of its container.
int drawnBorderTop(QGroupBox *frame)
{
    const QImage image = drawn(frame);
    const QWidget *container = frame->parentWidget();
    const QRgb paper = container->palette().color(container->backgroundRole()).rgb();
    const int column = frame->width() - 3;
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(column, y) != paper)
            return y;
    }
    return -1;
}

void checkGeometry(const QWidget *control, const ControlLayout &expected)
{
    const QRect actual = control->geometry();
    if (expected.sizing == Sizing::Line) {
        const auto *line = qobject_cast<const QFrame *>(control);
        QVERIFY2(line && (line->frameShape() == QFrame::HLine || line->frameShape() == QFrame::VLine),
                 "not a line");
        // A line is drawn through the middle of its frame, from one end of it to the other.
        const bool across = line->frameShape() == QFrame::HLine;
        const QPoint from = across ? QPoint(actual.x(), actual.y() + actual.height() / 2)
                                   : QPoint(actual.x() + actual.width() / 2, actual.y());
        const QPoint to = across ? QPoint(actual.x() + actual.width(), from.y())
                                 : QPoint(from.x(), actual.y() + actual.height());
        QCOMPARE(from, QPoint(twipsToPixels(expected.left), twipsToPixels(expected.top)));
        QCOMPARE(to, QPoint(twipsToPixels(expected.width), twipsToPixels(expected.height)));
        return;
    }
    if (expected.left != kFree)
        QCOMPARE(actual.x(), twipsToPixels(expected.left));
    QCOMPARE(actual.y(), twipsToPixels(expected.top));
    if (expected.sizing == Sizing::Fixed) {
        QCOMPARE(actual.size(), QSize(twipsToPixels(expected.width), twipsToPixels(expected.height)));
        return;
    }
    // A label that grows with its text must still show all of it inside its container.
    const QWidget *container = control->parentWidget();
    QVERIFY2(container->rect().contains(actual),
             qPrintable(QStringLiteral("the text ends at %1, %2, outside its container of %3 × %4")
                            .arg(actual.right() + 1).arg(actual.bottom() + 1)
                            .arg(container->width()).arg(container->height())));
}

void checkFont(const QWidget *control, const ControlLayout &expected)
{
    const QFont font = control->font();
    if (expected.pointSize == kDefaultSize)
        QCOMPARE(font.pointSizeF(), QApplication::font().pointSizeF());
    else if (expected.pointSize > 0)
        QCOMPARE(font.pointSizeF(), expected.pointSize);
    if (expected.bold != Is::Open)
        QCOMPARE(font.bold(), expected.bold == Is::Yes);
    if (expected.family)
        QCOMPARE(font.family(), QString::fromUtf8(expected.family));
}

void checkColors(QWidget *control, const ControlLayout &expected)
{
    const QPalette::ColorRole foreRole = control->foregroundRole();
    const QColor fore = expected.foreColor ? colorOf(expected.foreColor)
                                           : QApplication::palette(control).color(QPalette::Active, foreRole);
    // The colours of the layout are those of an enabled control, whatever state it starts in.
    QCOMPARE(colorText(control->palette().color(QPalette::Active, foreRole)), colorText(fore));

    if (expected.backColor) {
        // A button's face is its button colour, whatever its background role.
        const QPalette::ColorRole backRole =
            qobject_cast<QPushButton *>(control) ? QPalette::Button : control->backgroundRole();
        QCOMPARE(colorText(control->palette().color(QPalette::Active, backRole)), colorText(colorOf(expected.backColor)));
    }
    if (expected.opaque != Is::Open)
        QCOMPARE(control->autoFillBackground(), expected.opaque == Is::Yes);

    if (!control->isHidden())
        checkDrawnColors(control, expected.foreColor, expected.backColor, expected.sizing == Sizing::Line);
}

} // namespace

void checkDrawnColors(QWidget *control, const char *foreColor, const char *backColor, bool line)
{
    // What the user sees: labels painted in their back colour, texts and lines in their colour.
    const QImage image = drawn(control);
    // A line fills the little frame it lies in; its paper is the container's.
    const QWidget *container = control->parentWidget();
    const QColor paper = line ? container->palette().color(container->backgroundRole()) : dominantColor(image);
    if (backColor && qobject_cast<QLabel *>(control))
        QCOMPARE(colorText(paper), colorText(colorOf(backColor)));
    if (foreColor && (line || !textOf(control).trimmed().isEmpty())) {
        QVERIFY2(drawsInk(image, colorOf(foreColor), paper),
                 qPrintable(QStringLiteral("nothing drawn in %1 over %2")
                                .arg(colorText(colorOf(foreColor)), colorText(paper))));
    }
}

void checkControl(QWidget *window, const ControlLayout &expected)
{
    auto *control = window->findChild<QWidget *>(QString::fromUtf8(expected.name));
    QVERIFY2(control, "no control of this name");

    checkGeometry(control, expected);
    if (QTest::currentTestFailed())
        return;
    checkFont(control, expected);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(!control->isHidden(), expected.visible);
    if (expected.alignment)
        QCOMPARE(alignmentOf(control), expected.alignment);
    if (expected.border != Is::Open) {
        const auto *frame = qobject_cast<const QFrame *>(control);
        QVERIFY(frame);
        QCOMPARE(frame->frameShape() != QFrame::NoFrame, expected.border == Is::Yes);
    }
    if (expected.wrapped != Is::Open) {
        const auto *label = qobject_cast<const QLabel *>(control);
        QVERIFY(label);
        QCOMPARE(label->wordWrap(), expected.wrapped == Is::Yes);
    }
    checkColors(control, expected);
    if (QTest::currentTestFailed())
        return;
    // The layouts place a frame's controls below a border that runs through the middle of its
    // caption; a border drawn lower runs through the controls of the top row.
    if (auto *frame = qobject_cast<QGroupBox *>(control); frame && !frame->title().isEmpty()) {
        // The middle of the caption's em box: the layouts' font has no leading of its own.
        const int middle = QFontInfo(frame->font()).pixelSize() / 2;
        const int border = drawnBorderTop(frame);
        QVERIFY2(qAbs(border - middle) <= 2,
                 qPrintable(QStringLiteral("the border runs %1 pixels below the frame's top, the caption's "
                                           "middle %2 pixels").arg(border).arg(middle)));
    }
}

void checkWindow(QWidget *window, const WindowLayout &expected)
{
    QCOMPARE(window->windowTitle(), QString::fromUtf8(expected.caption));
    const QSize client(twipsToPixels(expected.clientWidth), twipsToPixels(expected.clientHeight));
    QCOMPARE(window->size(), client);

    if (expected.fixedBorder) {
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
    } else {
        QVERIFY2(window->minimumSize() != window->maximumSize(), "the window cannot be resized");
    }
    const Qt::WindowFlags flags = window->windowFlags();
    QCOMPARE(flags.testFlag(Qt::WindowMinimizeButtonHint), expected.minButton);
    QCOMPARE(flags.testFlag(Qt::WindowMaximizeButtonHint), expected.maxButton);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));

    const QRect place = window->geometry();
    if (expected.left == kFree) {
        const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2((place.center() - middle).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("placed at %1, %2").arg(place.x()).arg(place.y())));
    } else {
        QCOMPARE(place.topLeft(), QPoint(twipsToPixels(expected.left), twipsToPixels(expected.top)));
    }

    if (expected.backColor) {
        QCOMPARE(colorText(window->palette().color(QPalette::Window)), colorText(colorOf(expected.backColor)));
        QVERIFY(window->autoFillBackground());
    }
    const QFont font = window->font();
    if (expected.pointSize == kDefaultSize) {
        QCOMPARE(font, QApplication::font());
    } else {
        QCOMPARE(font.family(), QString::fromUtf8(kSongTi));
        QCOMPARE(font.pointSizeF(), expected.pointSize);
        QCOMPARE(font.bold(), expected.bold);
    }

    QCOMPARE(focusChain(window, expected.tabOrder.value(0)), expected.tabOrder);
    const QWidget *focus = window->focusWidget();
    QCOMPARE(focus ? focus->objectName() : QString(), QString::fromUtf8(expected.firstFocus));
}

void checkInFront(QWidget *window, const char *front, const char *back)
{
    const auto *frontControl = window->findChild<QWidget *>(QString::fromUtf8(front));
    const auto *backControl = window->findChild<QWidget *>(QString::fromUtf8(back));
    QVERIFY(frontControl && backControl);
    const QWidget *container = frontControl->parentWidget();
    QCOMPARE(backControl->parentWidget(), container);
    // Later children are drawn over earlier ones.
    const QObjectList stack = container->children();
    QVERIFY2(stack.indexOf(frontControl) > stack.indexOf(backControl), "drawn behind it");
}

QStringList focusChain(QWidget *window, const QString &first)
{
    // Controls are named by kind and number; the parts that Qt builds inside them are not.
    static const QRegularExpression controlName(QStringLiteral("^[A-Z][A-Za-z]*[0-9]+$"));
    QStringList chain;
    for (QWidget *w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && controlName.match(w->objectName()).hasMatch()
            && !chain.contains(w->objectName()))
            chain.append(w->objectName());
    }
    if (const qsizetype start = chain.indexOf(first); start > 0)
        chain = chain.mid(start) + chain.first(start);
    return chain;
}

} // namespace layout
