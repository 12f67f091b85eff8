#include "common/application.h"
#include "common/credits.h"
#include "common/desktop.h"
#include "common/singlewindow.h"
#include "common/testing/recordingopener.h"
#include "ipupdate/frmabout.h"

#include <QFrame>
#include <QLabel>
#include <QtTest>

using namespace ipupdate;

namespace {

using common::testing::Opened;
using common::testing::RecordingOpener;

const QColor blue(0, 0, 255);
const QColor black(0, 0, 0);

// The About window shown, with its controls by name.
struct AboutWindow {
    frmabout *window = common::SingleWindow<frmabout>::show();
    QLabel *label1 = window->findChild<QLabel *>(QStringLiteral("Label1"));
    QLabel *label2 = window->findChild<QLabel *>(QStringLiteral("Label2"));
    QLabel *label3 = window->findChild<QLabel *>(QStringLiteral("Label3"));
    QFrame *line1 = window->findChild<QFrame *>(QStringLiteral("Line1"));
    QFrame *line2 = window->findChild<QFrame *>(QStringLiteral("Line2"));

    AboutWindow() { QVERIFY(QTest::qWaitForWindowExposed(window)); }
    ~AboutWindow() { common::SingleWindow<frmabout>::close(); }

    // Moves the pointer onto `point` of `control`. A window built afresh under a pointer that
    // has not moved gets no move, so the pointer comes from next door.
    static void pointAt(QWidget *control, QPoint point)
    {
        QTest::mouseMove(control, point + QPoint(1, 0));
        QTest::mouseMove(control, point);
    }
    void pointAt(QWidget *control) const { pointAt(control, control->rect().center()); }

    static QColor textColor(const QLabel *label) { return label->palette().color(QPalette::WindowText); }
    // A point of the window's background, away from every label.
    QPoint background() const { return QPoint(4, window->height() - 4); }
};

} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { common::initApplication(QStringLiteral("Ostrand"), {}); }
    void showsVersionAndCredits();
    void linksLightUpUnderThePointer();
    void linksOpenThroughTheDesktop();
    void closesOnBackgroundAndVersionLine_data();
    void closesOnBackgroundAndVersionLine();
};

void TestFrmAbout::showsVersionAndCredits()
{
    AboutWindow about;
    QCOMPARE(about.window->windowTitle(), QStringLiteral("关于本软件"));
    QCOMPARE(about.window->size(), QSize(287, 103));
    QCOMPARE(about.window->minimumSize(), about.window->maximumSize());
    QCOMPARE(about.label1->text(), QStringLiteral("关于Ostrand   版本 %1.%2.%3")
                                       .arg(common::credits::versionMajor)
                                       .arg(common::credits::versionMinor)
                                       .arg(common::credits::versionRevision));
    const QString author = QString::fromUtf16(common::credits::authorName);
    QCOMPARE(about.label2->text(), QStringLiteral("程序设计:") + author);
    QCOMPARE(about.label2->toolTip(), QStringLiteral("软件作者%1的信箱：%2").arg(author, QString::fromUtf16(common::credits::authorMail)));
    QCOMPARE(about.label3->text(), QStringLiteral("软件网址:") + QString::fromUtf16(common::credits::authorWeb));
    QCOMPARE(about.label3->toolTip(), QStringLiteral("软件作者%1的网址").arg(author));

    // Both links show the hand, its fingertip at the hot spot in the top left corner.
    for (const QLabel *link : {about.label2, about.label3}) {
        const QCursor cursor = link->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(0, 0));
        const QImage image = cursor.pixmap().toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(qAlpha(image.pixel(2, 2)) > 0);
        QCOMPARE(qAlpha(image.pixel(31, 31)), 0);
        QCOMPARE(qAlpha(image.pixel(0, 31)), 0);
    }
}

void TestFrmAbout::linksLightUpUnderThePointer()
{
    AboutWindow about;
    const QColor label3Default = AboutWindow::textColor(about.label3);
    QCOMPARE(AboutWindow::textColor(about.label2), black);
    QVERIFY(about.line1->isHidden() && about.line2->isHidden());

    about.pointAt(about.label2);
    QTRY_COMPARE(AboutWindow::textColor(about.label2), blue);
    QVERIFY(about.line1->isVisible());
    QCOMPARE(AboutWindow::textColor(about.label3), label3Default);
    QVERIFY(about.line2->isHidden());

    // Over the background both links turn black, also the one that was never blue.
    AboutWindow::pointAt(about.window, about.background());
    QTRY_COMPARE(AboutWindow::textColor(about.label2), black);
    QCOMPARE(AboutWindow::textColor(about.label3), black);
    QVERIFY(about.line1->isHidden() && about.line2->isHidden());

    about.pointAt(about.label3);
    QTRY_COMPARE(AboutWindow::textColor(about.label3), blue);
    QVERIFY(about.line2->isVisible());
    QVERIFY(about.line1->isHidden());

    // The version line has no part in it.
    about.pointAt(about.label1);
    QTest::qWait(50);
    QCOMPARE(AboutWindow::textColor(about.label3), blue);
    QVERIFY(about.line2->isVisible());
}

void TestFrmAbout::linksOpenThroughTheDesktop()
{
    RecordingOpener opener;
    common::setDesktopOpener(&opener);
    AboutWindow about;
    about.pointAt(about.label2);
    QTest::mouseClick(about.label2, Qt::LeftButton);
    QTest::mouseClick(about.label3, Qt::LeftButton);
    common::setDesktopOpener(nullptr);

    const QString mail = QStringLiteral("mailto:") + QString::fromUtf16(common::credits::authorMail)
                         + QStringLiteral("?subject=请您帮忙");
    QCOMPARE(opener.opened, (QList<Opened>{{mail, QString()},
                                           {QString::fromUtf16(common::credits::authorWeb), QStringLiteral("open")}}));
    QVERIFY(common::SingleWindow<frmabout>::isOpen());
    QCOMPARE(AboutWindow::textColor(about.label2), blue);
}

void TestFrmAbout::closesOnBackgroundAndVersionLine_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("background") << QStringLiteral("background");
    QTest::newRow("version line") << QStringLiteral("Label1");
    QTest::newRow("close box") << QStringLiteral("close box");
}

void TestFrmAbout::closesOnBackgroundAndVersionLine()
{
    QFETCH(QString, where);
    QPointer<frmabout> first;
    {
        AboutWindow about;
        first = about.window;
        about.pointAt(about.label2);
        QTRY_VERIFY(about.line1->isVisible());
        if (where == QLatin1String("background"))
            QTest::mouseClick(about.window, Qt::LeftButton, {}, about.background());
        else if (where == QLatin1String("Label1"))
            QTest::mouseClick(about.label1, Qt::LeftButton);
        else
            about.window->close();
        QVERIFY(!common::SingleWindow<frmabout>::isOpen());
    }
    QTRY_VERIFY(first.isNull());

    // Shown again, it is built afresh.
    AboutWindow again;
    QVERIFY(again.window != first);
    QVERIFY(again.line1->isHidden());
    QCOMPARE(AboutWindow::textColor(again.label2), black);
    QVERIFY(again.label1->text().startsWith(QStringLiteral("关于Ostrand   版本 ")));
}

QTEST_MAIN(TestFrmAbout)
#include "test_frmabout.moc"
