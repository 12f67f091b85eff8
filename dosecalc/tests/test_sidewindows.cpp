#include "dosecalc/form1.h"
#include "dosecalc/form2.h"
#include "dosecalc/form3.h"

#include "common/testing/recordingopener.h"

#include "common/application.h"
#include "common/credits.h"
#include "common/desktop.h"
#include "common/singlewindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

template <typename T = QWidget>
T *control(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestSideWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void explanationText();
    void explanationClosesOnClick();
    void explanationClosesWhenForm1TakesTheFocus();
    void aboutWindowOpensWithFocusOnClose_data();
    void aboutWindowOpensWithFocusOnClose();
    void aboutWindowDoubleClicks_data();
    void aboutWindowDoubleClicks();
    void aboutWindowStaysBesideForm1();
    void aboutWindowWebLink();

private:
    Form2 *openForm2()
    {
        QTest::mouseClick(control<QPushButton>(m_form1, "Command3"), Qt::LeftButton);
        Form2 *form = common::SingleWindow<Form2>::instance();
        if (form && !QTest::qWaitForWindowActive(form))
            return nullptr;
        return form;
    }
    Form3 *openForm3()
    {
        QTest::mouseClick(control<QPushButton>(m_form1, "Command5"), Qt::LeftButton);
        Form3 *form = common::SingleWindow<Form3>::instance();
        if (form && !QTest::qWaitForWindowActive(form))
            return nullptr;
        return form;
    }

    common::testing::RecordingOpener m_opener;
    QPointer<Form1> m_form1;
};

void TestSideWindows::initTestCase()
{
    common::initApplication(QStringLiteral("Quarvel"), QStringLiteral(":/quarvel/icons/quarvel.svg"));
    common::setDesktopOpener(&m_opener);
}

void TestSideWindows::init()
{
    m_opener.opened.clear();
    m_form1 = new Form1;
    m_form1->setAttribute(Qt::WA_DeleteOnClose);
    m_form1->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form1));
}

void TestSideWindows::cleanup()
{
    common::SingleWindow<Form2>::close();
    common::SingleWindow<Form3>::close();
    delete m_form1;
}

void TestSideWindows::explanationText()
{
    Form2 *form = openForm2();
    QVERIFY(form);
    QCOMPARE(form->objectName(), QStringLiteral("Form2"));
    QCOMPARE(form->windowTitle(), QStringLiteral("卡铂AUC给药计算说明"));
    QCOMPARE(form->geometry(), QRect(290, 133, 290, 201));
    const QString text = control<QLabel>(form, "Label1")->text();
    QCOMPARE(text.size(), 374);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 17);
    QCOMPARE(lines.last(), QString());
    QCOMPARE(lines[0], QStringLiteral("卡铂按AUC给药的计算方法，主要是根据Calvert公式"));
    QCOMPARE(lines[10], QStringLiteral("\u3000\u3000男性肌酐清除率（ml/min）＝｛［140－年龄（"));
    QCOMPARE(lines[13], QStringLiteral("\u3000 女性肌酐清除率（ml/min）＝男性肌酐清除率"));
    QCOMPARE(lines[15], QStringLiteral("3、AUC（mg/ml/min）取值：常取5～7，我们常取5。"));
    QVERIFY(control<QLabel>(form, "Label1")->wordWrap());
    // Nothing in the window takes the focus: the window holds it itself.
    QCOMPARE(form->focusWidget(), nullptr);
}

void TestSideWindows::explanationClosesOnClick()
{
    Form2 *form = openForm2();
    QVERIFY(form);
    QPointer<Form2> opened = form;
    QTest::mouseClick(control<QLabel>(form, "Label1"), Qt::LeftButton, {}, QPoint(200, 150));
    QVERIFY(!common::SingleWindow<Form2>::isOpen());
    QTRY_VERIFY(opened.isNull());
}

void TestSideWindows::explanationClosesWhenForm1TakesTheFocus()
{
    QPointer<Form2> first = openForm2();
    QVERIFY(first);
    // A click on Command3 first activates Form1, which closes the explanation, and then shows
    // it afresh.
    activate(m_form1);
    QVERIFY(!common::SingleWindow<Form2>::isOpen());
    QPointer<Form2> second = openForm2();
    QVERIFY(second);
    QVERIFY(second != first);
    QTRY_VERIFY(first.isNull());
    // Another window of the program counts too.
    QVERIFY(openForm3());
    QVERIFY(!common::SingleWindow<Form2>::isOpen());
    QVERIFY(common::SingleWindow<Form3>::isOpen());
}

void TestSideWindows::aboutWindowOpensWithFocusOnClose_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestSideWindows::aboutWindowOpensWithFocusOnClose()
{
    QFETCH(int, key);
    Form3 *form = openForm3();
    QVERIFY(form);
    QCOMPARE(form->objectName(), QStringLiteral("Form3"));
    QCOMPARE(form->windowTitle(), QStringLiteral("软件说明"));
    QCOMPARE(form->geometry(), QRect(320, 133, 239, 151));
    QCOMPARE(control<QLabel>(form, "Label4")->text(), QStringLiteral("2006-12-20"));
    QVERIFY(!control<QLabel>(form, "Picture1")->pixmap().isNull());
    QCOMPARE(control<QLabel>(form, "Picture1")->pixmap().size(), QSize(96, 148));
    QCOMPARE(QApplication::focusWidget(), control(form, "Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(!common::SingleWindow<Form3>::isOpen());
}

void TestSideWindows::aboutWindowDoubleClicks_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<bool>("closes");
    QTest::newRow("free area of the frame") << QByteArray("Frame1") << true;
    QTest::newRow("picture") << QByteArray("Picture1") << false;
    QTest::newRow("text") << QByteArray("Label1") << false;
    QTest::newRow("date") << QByteArray("Label4") << false;
}

void TestSideWindows::aboutWindowDoubleClicks()
{
    QFETCH(QByteArray, target);
    QFETCH(bool, closes);
    Form3 *form = openForm3();
    QVERIFY(form);
    QWidget *widget = control(form, target.constData());
    // A point of the frame that no control covers: below the text block, left of the date.
    const QPoint point = target == "Frame1" ? QPoint(100, 132) : widget->rect().center();
    QCOMPARE(widget->childAt(point), nullptr);
    if (target == "Frame1")
        QCOMPARE(form->childAt(widget->mapTo(form, point)), widget);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, point);
    QCOMPARE(common::SingleWindow<Form3>::isOpen(), !closes);
}

void TestSideWindows::aboutWindowStaysBesideForm1()
{
    QPointer<Form3> form = openForm3();
    QVERIFY(form);
    activate(m_form1);
    QVERIFY(common::SingleWindow<Form3>::isOpen());
    // A second click brings the open window to the front instead of building another.
    QCOMPARE(openForm3(), form.data());
    QCOMPARE(QApplication::activeWindow(), form.data());
}

void TestSideWindows::aboutWindowWebLink()
{
    Form3 *form = openForm3();
    QVERIFY(form);
    auto *link = control<QLabel>(form, "Label37");
    const QString address = QString::fromUtf16(common::credits::authorWeb);
    QCOMPARE(link->text(), address + QStringLiteral("  "));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(m_opener.opened.size(), 1);
    QCOMPARE(m_opener.opened[0].address, address);
    QVERIFY(common::SingleWindow<Form3>::isOpen());
}

QTEST_MAIN(TestSideWindows)
#include "test_sidewindows.moc"
