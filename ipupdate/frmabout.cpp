#include "frmabout.h"

#include "handcursor.h"

#include "common/colorword.h"
#include "common/credits.h"
#include "common/desktop.h"
#include "common/eventguard.h"
#include "common/windowsetup.h"
#include "ipupdate/settingsplace.h"

#include <QDir>
#include <QMouseEvent>

namespace ipupdate {

namespace {

QString authorName() { return QString::fromUtf16(common::credits::authorName); }
QString authorMail() { return QString::fromUtf16(common::credits::authorMail); }
QString authorWeb() { return QString::fromUtf16(common::credits::authorWeb); }

const QColor linkBlue = common::colorFromWord(0x00FF0000u);
const QColor black = common::colorFromWord(0x00000000u);

// A click is a release of the left button over the control that took the press.
bool isClick(const QWidget *control, const QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    return mouse->button() == Qt::LeftButton && control->rect().contains(mouse->position().toPoint());
}

} // namespace

QString settingsPlaceTip(const QString &settingsPath)
{
    return QStringLiteral("设置保存在：") + QDir::toNativeSeparators(settingsPath);
}

frmabout::frmabout()
{
    setupUi(this);
    Label2->setText(QStringLiteral("程序设计:") + authorName());
    Label2->setToolTip(QStringLiteral("软件作者") + authorName() + QStringLiteral("的信箱：") + authorMail());
    Label3->setText(QStringLiteral("软件网址:") + authorWeb());
    Label3->setToolTip(QStringLiteral("软件作者") + authorName() + QStringLiteral("的网址"));
    Label1->setToolTip(settingsPlaceTip(settingsFilePath()));
    common::setUpWindow(this);

    const QCursor hand = handCursor();
    Label2->setCursor(hand);
    Label3->setCursor(hand);
    // Moves without a pressed button count too, on the window and on every label; Label1 has
    // no handler, so a move over it changes nothing.
    setMouseTracking(true);
    for (QLabel *label : {Label1, Label2, Label3}) {
        label->setMouseTracking(true);
        label->installEventFilter(this);
    }
    Form_Load();
}

bool frmabout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == Label2)
            common::runGuarded([this] { Label2_MouseMove(); });
        else if (watched == Label3)
            common::runGuarded([this] { Label3_MouseMove(); });
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress)
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (isClick(Label1, event) && watched == Label1)
            common::runGuarded([this] { Label1_Click(); });
        else if (isClick(Label2, event) && watched == Label2)
            common::runGuarded([this] { Label2_Click(); });
        else if (isClick(Label3, event) && watched == Label3)
            common::runGuarded([this] { Label3_Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmabout::mouseMoveEvent(QMouseEvent *)
{
    common::runGuarded([this] { Form_MouseMove(); });
}

void frmabout::mouseReleaseEvent(QMouseEvent *event)
{
    if (isClick(this, event))
        common::runGuarded([this] { Form_Click(); });
}

void frmabout::Form_Load()
{
    Label1->setText(QStringLiteral("关于Ostrand") + QStringLiteral("   版本 ")
                    + QString::number(common::credits::versionMajor) + QLatin1Char('.')
                    + QString::number(common::credits::versionMinor) + QLatin1Char('.')
                    + QString::number(common::credits::versionRevision));
}

void frmabout::Form_Click()
{
    close();
}

void frmabout::Form_MouseMove()
{
    setTextColor(Label3, black);
    setTextColor(Label2, black);
    Line2->hide();
    Line1->hide();
}

void frmabout::Label1_Click()
{
    close();
}

void frmabout::Label2_Click()
{
    common::desktopOpener().open(QStringLiteral("mailto:") + authorMail() + QStringLiteral("?subject=请您帮忙"), {});
}

void frmabout::Label2_MouseMove()
{
    setTextColor(Label2, linkBlue);
    Line1->show();
}

void frmabout::Label3_Click()
{
    common::desktopOpener().open(authorWeb(), QStringLiteral("open"));
}

void frmabout::Label3_MouseMove()
{
    setTextColor(Label3, linkBlue);
    Line2->show();
}

void frmabout::setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace ipupdate
