#include "screenreading.h"

#include "energy/frmmain.h"

#include "common/application.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using accessibility::readControl;

class TestAccessibilityKelvio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { common::initApplication(QStringLiteral("Kelvio"), {}); }
    void boxesAreNamedByTheirLabels();
};

void TestAccessibilityKelvio::boxesAreNamedByTheirLabels()
{
    frmmain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(accessibility::namelessInputs(&window).join(u", "), QString());

    QCOMPARE(readControl(&window, QStringLiteral("Text1")).name, QStringLiteral("体重（Kg）"));
    QCOMPARE(readControl(&window, QStringLiteral("Text2")).name, QStringLiteral("身高（cm）"));
    QCOMPARE(readControl(&window, QStringLiteral("Text3")).name, QStringLiteral("年龄（岁）"));

    // The result box is described by the button that fills it, and reads out what it holds.
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("70"));
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("Text2")), QStringLiteral("175"));
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("Text3")), QStringLiteral("30"));
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    const accessibility::Reading result = readControl(&window, QStringLiteral("Text4"));
    QCOMPARE(result.name, QStringLiteral("REE（Kcal/d）"));
    QCOMPARE(result.description, QStringLiteral("静息能量消耗（千卡/天）"));
    QCOMPARE(result.value, QStringLiteral("1696"));
}

QTEST_MAIN(TestAccessibilityKelvio)
#include "test_accessibility_kelvio.moc"
