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
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString kStaleMark = QStringLiteral("不是当前输入的计算结果");

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startState();
    void frontControls();
    void areaFollowsEveryKeystroke();
    void carboplatinFollowsEveryKeystroke();
    void figuresShowWhole();
    void typingPrefixesNeverFault_data();
    void typingPrefixesNeverFault();
    void faultsLeaveCaptionsMarkedStale_data();
    void faultsLeaveCaptionsMarkedStale();
    void clearingTheAreaPanel();
    void clearingTheCarboplatinPanel();
    void enterCycleStaysInPanel_data();
    void enterCycleStaysInPanel();
    void tabOrder();
    void panelsKeepTheirValues();
    void enterAtStartEndsProgram();
    void exitClosesSideWindows();
    void webSiteHeading();

private:
    template <typename T>
    T *control(const char *name) const
    {
        T *found = m_form->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *box(const char *name) const { return control<QLineEdit>(name); }
    QLabel *label(const char *name) const { return control<QLabel>(name); }
    QString caption(const char *name) const { return label(name)->text(); }
    bool isStale(const char *name) const { return label(name)->toolTip().contains(kStaleMark); }
    // With no window left open the program ends.
    static bool noWindowOpen()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::none_of(windows.begin(), windows.end(), [](const QWidget *w) { return w->isVisible(); });
    }
    void showPanel2() { QTest::mouseClick(control<QRadioButton>("Option2"), Qt::LeftButton); }

    common::testing::RecordingOpener m_opener;
    QPointer<Form1> m_form;
};

void TestForm1::initTestCase()
{
    common::initApplication(QStringLiteral("Quarvel"), QStringLiteral(":/quarvel/icons/quarvel.svg"));
    common::setDesktopOpener(&m_opener);
}

void TestForm1::init()
{
    m_opener.opened.clear();
    m_form = new Form1;
    m_form->setAttribute(Qt::WA_DeleteOnClose);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestForm1::cleanup()
{
    common::SingleWindow<Form2>::close();
    common::SingleWindow<Form3>::close();
    delete m_form;
}

void TestForm1::startState()
{
    QCOMPARE(m_form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Quarvel2.0"));
    // Client area 5175 × 3855 twips with its top-left corner at 3435, 2460, not resizable.
    QCOMPARE(m_form->geometry(), QRect(229, 164, 345, 257));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!(m_form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    QVERIFY(control<QGroupBox>("Frame1")->isVisible());
    QVERIFY(!control<QGroupBox>("Frame2")->isVisible());
    QVERIFY(!control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!control<QRadioButton>("Option2")->isChecked());
    for (const char *name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"})
        QCOMPARE(box(name)->text(), QString());
    QCOMPARE(box("Text7")->text(), QStringLiteral("5"));
    // No recalculation runs for the 5 that the AUC box starts with.
    for (const char *name : {"Label12", "Label15", "Label26", "Label28", "Label32", "Label34"})
        QCOMPARE(caption(name), QString());
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>("Command4"));
    QCOMPARE(caption("Label11"), QStringLiteral("软件制作：") + QString::fromUtf16(common::credits::authorName) + u' '
                                     + QString::fromUtf16(common::credits::authorMail) + u'\n');
}

// What lies in front where controls overlap: the man's clearance heading over its twin, the
// option buttons over the frames' lower edge.
void TestForm1::frontControls()
{
    showPanel2();
    auto *frame2 = control<QGroupBox>("Frame2");
    const QPoint overlap = label("Label25")->geometry().topLeft() + QPoint(4, 4);
    QCOMPARE(frame2->childAt(overlap), label("Label27"));
    auto *option = control<QRadioButton>("Option1");
    const int frameBottom = control<QGroupBox>("Frame1")->geometry().bottom();
    QCOMPARE(m_form->childAt(option->x() + 4, frameBottom), option);
}

void TestForm1::areaFollowsEveryKeystroke()
{
    for (const QChar digit : QStringLiteral("170")) {
        QTest::keyClick(box("Text1"), digit.toLatin1());
        QCOMPARE(caption("Label12"), QStringLiteral("0"));
        QCOMPARE(caption("Label15"), QStringLiteral("0"));
    }
    QTest::keyClicks(box("Text2"), QStringLiteral("60"));
    // An empty dose box reads as 0.
    QCOMPARE(caption("Label12"), QStringLiteral("1.69494680663474"));
    QCOMPARE(caption("Label15"), QStringLiteral("0"));
    QTest::keyClicks(box("Text3"), QStringLiteral("100"));
    QCOMPARE(caption("Label12"), QStringLiteral("1.69494680663474"));
    QCOMPARE(caption("Label15"), QStringLiteral("169.494680663474"));
    // Deleting a character is a change too.
    QTest::keyClick(box("Text3"), Qt::Key_Backspace);
    QCOMPARE(caption("Label15"), QStringLiteral("16.9494680663474"));
}

void TestForm1::carboplatinFollowsEveryKeystroke()
{
    showPanel2();
    // The first keystroke computes with the other boxes as they stand: no weight, creatinine
    // taken as 1, AUC 5.
    QTest::keyClick(box("Text4"), '6');
    QCOMPARE((QStringList{caption("Label26"), caption("Label28"), caption("Label32"), caption("Label34")}),
             (QStringList{"0", "0", "125", "125"}));
    QTest::keyClicks(box("Text4"), QStringLiteral("5.3"));
    QTest::keyClicks(box("Text5"), QStringLiteral("60"));
    QTest::keyClicks(box("Text6"), QStringLiteral("90"));
    QCOMPARE((QStringList{caption("Label26"), caption("Label28"), caption("Label32"), caption("Label34")}),
             (QStringList{"61.2539974975586", "52.0658978729248", "431.269987487793", "385.329489364624"}));
}

// A figure is never cut off at its label's edge: a cut 15-digit dose would read as a smaller one.
void TestForm1::figuresShowWhole()
{
    auto fits = [](const QLabel *shown) {
        return QFontMetrics(shown->font()).horizontalAdvance(shown->text()) <= shown->contentsRect().width();
    };
    QTest::keyClicks(box("Text1"), QStringLiteral("170"));
    QTest::keyClicks(box("Text2"), QStringLiteral("60"));
    QTest::keyClicks(box("Text3"), QStringLiteral("100000000000000"));
    QCOMPARE(caption("Label15"), QStringLiteral("169494680663474"));
    QVERIFY(fits(label("Label12")));
    QVERIFY(fits(label("Label15")));
    // A short figure keeps the label's own size.
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QTest::keyClick(box("Text1"), '1');
    QCOMPARE(caption("Label15"), QStringLiteral("0"));
    QCOMPARE(label("Label15")->font().pointSizeF(), 10.5);
}

void TestForm1::typingPrefixesNeverFault_data()
{
    QTest::addColumn<QByteArray>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::newRow("height with a point") << QByteArray("Text1") << "1.75";
    QTest::newRow("point first") << QByteArray("Text2") << ".5";
    QTest::newRow("negative dose") << QByteArray("Text3") << "-1.7";
    QTest::newRow("comma ends the number") << QByteArray("Text3") << "1,5";
    QTest::newRow("age with letters") << QByteArray("Text4") << "6o.5";
    QTest::newRow("negative creatinine") << QByteArray("Text6") << "-88.";
    QTest::newRow("AUC appended") << QByteArray("Text7") << ".5";
}

// Whatever a box holds while the user is still typing reads as a number: no prefix stops a
// recalculation, so no figure is ever left stale.
void TestForm1::typingPrefixesNeverFault()
{
    QFETCH(QByteArray, boxName);
    QFETCH(QString, typed);
    showPanel2();
    QTest::keyClicks(box("Text2"), QStringLiteral("60"));
    QTest::keyClicks(box("Text5"), QStringLiteral("60"));
    QLineEdit *target = box(boxName.constData());
    for (const QChar c : typed) {
        QTest::keyClick(target, c.toLatin1());
        for (const char *name : {"Label12", "Label15", "Label26", "Label28", "Label32", "Label34"})
            QVERIFY2(!isStale(name), qPrintable(target->text()));
    }
}

void TestForm1::faultsLeaveCaptionsMarkedStale_data()
{
    QTest::addColumn<QByteArray>("boxName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<bool>>("stale");
    // The text is given to the box, then one more key typed at the position stops the
    // recalculation. The other boxes hold 170 cm, 60 kg, 100 mg/m² or 60 years, 70 kg,
    // 88 μmol/L, AUC 5.
    QTest::newRow("negative weight") << QByteArray("Text2") << "60" << 0 << QList<bool>{true, true};
    // The area is written before the dose overflows: it is current, the dose is not.
    QTest::newRow("dose overflows")
        << QByteArray("Text3") << QStringLiteral("1100") + QString(304, u'0') << 308 << QList<bool>{false, true};
    QTest::newRow("carboplatin dose overflows")
        << QByteArray("Text6") << QStringLiteral("0.") + QString(303, u'0') + QStringLiteral("88") << 2
        << QList<bool>{true, true, true, true};
}

void TestForm1::faultsLeaveCaptionsMarkedStale()
{
    QFETCH(QByteArray, boxName);
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QList<bool>, stale);
    const bool carboplatin = stale.size() == 4;
    const QList<const char *> results = carboplatin ? QList<const char *>{"Label26", "Label28", "Label32", "Label34"}
                                                    : QList<const char *>{"Label12", "Label15"};
    showPanel2();
    for (const auto &[name, typed] : {std::pair{"Text1", "170"}, {"Text2", "60"}, {"Text3", "100"},
                                      {"Text4", "60"}, {"Text5", "70"}, {"Text6", "88"}})
        QTest::keyClicks(box(name), QString::fromLatin1(typed));
    QLineEdit *target = box(boxName.constData());
    target->setText(text);
    QStringList before;
    for (const char *name : results)
        before.append(caption(name));

    target->setCursorPosition(position);
    QTest::keyClick(target, position == 0 ? '-' : '0');
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    for (qsizetype i = 0; i < results.size(); ++i) {
        QCOMPARE(caption(results[i]), before[i]);
        QCOMPARE(isStale(results[i]), stale[i]);
        // Stale figures are greyed, not in the colours of a result.
        QCOMPARE(label(results[i])->palette().color(QPalette::WindowText) == QColor(0x80, 0x80, 0x80), stale[i]);
    }
    // The next successful recalculation makes the panel current again.
    QTest::keyClick(target, Qt::Key_Backspace);
    for (const char *name : results) {
        QVERIFY(!isStale(name));
        QVERIFY(label(name)->palette().color(QPalette::WindowText) != QColor(0x80, 0x80, 0x80));
    }
}

void TestForm1::clearingTheAreaPanel()
{
    QTest::keyClicks(box("Text1"), QStringLiteral("170"));
    QTest::keyClicks(box("Text3"), QStringLiteral("100"));
    // A weight that stops every recalculation: the clearing still runs to its end.
    QTest::keyClicks(box("Text2"), QStringLiteral("-60"));
    QVERIFY(isStale("Label12"));
    control<QLineEdit>("Text3")->setFocus();
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    for (const char *name : {"Text1", "Text2", "Text3"})
        QCOMPARE(box(name)->text(), QString());
    for (const char *name : {"Label12", "Label15"}) {
        QCOMPARE(caption(name), QString());
        QVERIFY(!isStale(name));
    }
}

void TestForm1::clearingTheCarboplatinPanel()
{
    showPanel2();
    QTest::keyClicks(box("Text4"), QStringLiteral("60"));
    QTest::keyClicks(box("Text5"), QStringLiteral("70"));
    QTest::keyClicks(box("Text6"), QStringLiteral("88"));
    QTest::keyClicks(box("Text7"), QStringLiteral("0"));
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    for (const char *name : {"Text4", "Text5", "Text6"})
        QCOMPARE(box(name)->text(), QString());
    QCOMPARE(box("Text7")->text(), QStringLiteral("5"));
    // Although the last recalculation inside the clearing wrote 0, 0, 125 and 125.
    for (const char *name : {"Label26", "Label28", "Label32", "Label34"})
        QCOMPARE(caption(name), QString());
    // Typing again computes from the restored AUC.
    QTest::keyClick(box("Text4"), '1');
    QCOMPARE(caption("Label32"), QStringLiteral("125"));
}

void TestForm1::enterCycleStaysInPanel_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestForm1::enterCycleStaysInPanel()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    int clicks = 0;
    for (QPushButton *button : m_form->findChildren<QPushButton *>())
        connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });

    auto walk = [&](const QList<const char *> &cycle) {
        box(cycle.first())->setFocus();
        for (qsizetype i = 1; i <= cycle.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(QApplication::focusWidget(), box(cycle[i % cycle.size()]));
        }
    };
    QTest::keyClicks(box("Text1"), QStringLiteral("170"));
    walk({"Text1", "Text2", "Text3"});
    showPanel2();
    walk({"Text4", "Text5", "Text6", "Text7"});
    QCOMPARE(clicks, 0);
    QVERIFY(m_form->isVisible());
    QVERIFY(!common::SingleWindow<Form2>::isOpen());
    // The key inserts nothing into the box it was typed in.
    QCOMPARE(box("Text1")->text(), QStringLiteral("170"));
    QCOMPARE(box("Text7")->text(), QStringLiteral("5"));
}

void TestForm1::tabOrder()
{
    QStringList order;
    QWidget *focus = QApplication::focusWidget();
    for (int i = 0; i < 7; ++i) {
        order.append(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
    }
    // The hidden carboplatin panel takes no focus.
    QCOMPARE(order, (QStringList{"Command4", "Command5", "Command1", "Text3", "Text2", "Text1", "Option1"}));
}

void TestForm1::panelsKeepTheirValues()
{
    QTest::keyClicks(box("Text1"), QStringLiteral("175"));
    showPanel2();
    QVERIFY(control<QGroupBox>("Frame2")->isVisible());
    QVERIFY(!control<QGroupBox>("Frame1")->isVisible());
    QTest::keyClicks(box("Text4"), QStringLiteral("60"));
    QTest::keyClicks(box("Text5"), QStringLiteral("70"));
    QTest::keyClicks(box("Text6"), QStringLiteral("88"));
    QTest::mouseClick(control<QRadioButton>("Option1"), Qt::LeftButton);
    QVERIFY(control<QGroupBox>("Frame1")->isVisible());
    QVERIFY(!control<QGroupBox>("Frame2")->isVisible());
    QCOMPARE(box("Text1")->text(), QStringLiteral("175"));
    showPanel2();
    QCOMPARE(box("Text6")->text(), QStringLiteral("88"));
    QCOMPARE(caption("Label34"), QStringLiteral("457.659090909091"));
}

void TestForm1::enterAtStartEndsProgram()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(noWindowOpen());
}

void TestForm1::exitClosesSideWindows()
{
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("Command5"), Qt::LeftButton);
    QVERIFY(common::SingleWindow<Form2>::isOpen());
    QVERIFY(common::SingleWindow<Form3>::isOpen());
    QTest::mouseClick(control<QPushButton>("Command4"), Qt::LeftButton);
    QVERIFY(noWindowOpen());
    QTRY_VERIFY(m_form.isNull());
}

void TestForm1::webSiteHeading()
{
    showPanel2();
    QTest::keyClicks(box("Text4"), QStringLiteral("60"));
    const QString before = caption("Label26");
    QTest::mouseClick(label("Label37"), Qt::LeftButton);
    QCOMPARE(m_opener.opened.size(), 1);
    QCOMPARE(m_opener.opened[0].address, QString::fromUtf16(common::credits::authorWeb));
    QCOMPARE(caption("Label26"), before);
    QVERIFY(m_form->isVisible());
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
