#include "windowsetup.h"

#include "colorword.h"
#include "twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace common {

namespace {

QColor colorProperty(const QWidget *widget, const char *name)
{
    const QVariant value = widget->property(name);
    return value.isValid() ? colorFromWord(value.toString()) : QColor();
}

void setUpWindowFrame(QWidget *window)
{
    const bool fixed = window->property("borderStyle").toString() == QLatin1String("fixedSingle");
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (window->property("minButton").toBool())
        flags |= Qt::WindowMinimizeButtonHint;
    if (window->property("maxButton").toBool())
        flags |= Qt::WindowMaximizeButtonHint;
    if (fixed)
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    window->setWindowFlags(flags);

    const QSize client = window->size();
    if (fixed)
        window->setFixedSize(client);

    QPoint place;
    if (window->property("startUpPosition").toString() == QLatin1String("manual")) {
        place = QPoint(twipsToPixels(window->property("leftTwips").toInt()),
                       twipsToPixels(window->property("topTwips").toInt()));
    } else if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        place = area.topLeft() + QPoint((area.width() - client.width()) / 2,
                                        (area.height() - client.height()) / 2);
    }
    window->setGeometry(QRect(place, client));
}

void setUpColors(QWidget *window, const QList<QWidget *> &controls)
{
    if (const QColor back = colorProperty(window, "backColor"); back.isValid()) {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, back);
        window->setPalette(palette);
        window->setAutoFillBackground(true);
    }
    for (QWidget *control : controls) {
        QPalette palette = control->palette();
        bool changed = false;
        if (const QColor fore = colorProperty(control, "foreColor"); fore.isValid()) {
            palette.setColor(control->foregroundRole(), fore);
            changed = true;
        } else {
            // A frame's caption colour is not the colour of what the frame holds.
            for (const QWidget *up = control->parentWidget(); up && up != window; up = up->parentWidget()) {
                if (colorProperty(up, "foreColor").isValid()) {
                    palette.setColor(control->foregroundRole(),
                                     QApplication::palette(control).color(control->foregroundRole()));
                    changed = true;
                    break;
                }
            }
        }
        if (const QColor back = colorProperty(control, "backColor"); back.isValid()) {
            palette.setColor(control->backgroundRole(), back);
            if (qobject_cast<QPushButton *>(control))
                palette.setColor(QPalette::Button, back);
            control->setAutoFillBackground(qobject_cast<QLabel *>(control) != nullptr);
            changed = true;
        }
        if (changed)
            control->setPalette(palette);
        if (control->property("opaque").toBool())
            control->setAutoFillBackground(true);
    }
}

// Names a box for screen readers after the label that is its buddy. Left to itself, Qt would read
// the label's closing colon too, and not reach the text box and the drop-down list of a combo
// box at all.
void nameBuddy(const QLabel *label)
{
    QWidget *buddy = label->buddy();
    if (!buddy)
        return;
    QString name = label->text();
    while (name.endsWith(u'：') || name.endsWith(u':'))
        name.chop(1);
    QList<QWidget *> named{buddy};
    if (const auto *combo = qobject_cast<QComboBox *>(buddy)) {
        named.append(combo->view());
        if (combo->lineEdit())
            named.append(combo->lineEdit());
    }
    for (QWidget *box : std::as_const(named)) {
        if (box->accessibleName().isEmpty())
            box->setAccessibleName(name);
    }
}

void setUpControl(QWidget *control)
{
    if (const QVariant size = control->property("pointSizeF"); size.isValid()) {
        QFont font = control->font();
        font.setPointSizeF(size.toDouble());
        control->setFont(font);
    }
    if (auto *label = qobject_cast<QLabel *>(control)) {
        if (label->property("borderStyle").toString() == QLatin1String("fixedSingle")) {
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            label->setLineWidth(1);
        }
        if (label->property("autoSize").toBool())
            label->adjustSize();
        nameBuddy(label);
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        button->setAutoDefault(true);
        button->setDefault(false);
    } else if (auto *frame = qobject_cast<QFrame *>(control)) {
        if (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine)
            frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void setUpTabOrder(QWidget *window, const QList<QWidget *> &controls)
{
    QList<QWidget *> order;
    for (QWidget *control : controls) {
        if (control->property("tabIndex").isValid() && (control->focusPolicy() & Qt::TabFocus))
            order.append(control);
    }
    std::stable_sort(order.begin(), order.end(), [](const QWidget *a, const QWidget *b) {
        return a->property("tabIndex").toInt() < b->property("tabIndex").toInt();
    });
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    for (QWidget *control : std::as_const(order)) {
        if (control->isEnabled() && !control->isHidden() && control->isVisibleTo(window)) {
            control->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

} // namespace

void setUpWindow(QWidget *window)
{
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls)
        setUpControl(control);
    setUpColors(window, controls);
    setUpWindowFrame(window);
    setUpTabOrder(window, controls);
}

} // namespace common
