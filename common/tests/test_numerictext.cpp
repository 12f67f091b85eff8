#include "common/faults.h"
#include "common/numerictext.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace common;

class TestNumericText : public QObject {
    Q_OBJECT

private slots:
    void readings_data();
    void readings();
    void hugeAndTinyNumbers_data();
    void hugeAndTinyNumbers();
    void longTextsAreReadQuickly();
    void display_data();
    void display();
    void displayWholeNumber();
    void displayReadsBack();
};

// "fails" marks a text that strict reading rejects.
static const double fails = std::numeric_limits<double>::quiet_NaN();

void TestNumericText::readings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("lenient");
    QTest::addColumn<double>("strict");

    QTest::newRow("empty") << "" << 0.0 << fails;
    QTest::newRow("two blanks") << "  " << 0.0 << fails;
    QTest::newRow("whole") << "60" << 60.0 << 60.0;
    QTest::newRow("fraction") << "1.75" << 1.75 << 1.75;
    QTest::newRow("leading point") << ".5" << 0.5 << 0.5;
    QTest::newRow("trailing point") << "1." << 1.0 << 1.0;
    QTest::newRow("negative") << "-3.5" << -3.5 << -3.5;
    QTest::newRow("plus sign") << "+2" << 2.0 << 2.0;
    QTest::newRow("lone minus") << "-" << 0.0 << fails;
    QTest::newRow("lone point") << "." << 0.0 << fails;
    QTest::newRow("minus point") << "-." << 0.0 << fails;
    QTest::newRow("letters") << "abc" << 0.0 << fails;
    QTest::newRow("number then letters") << "12abc" << 12.0 << fails;
    QTest::newRow("two points") << "1.2.3" << 1.2 << fails;
    QTest::newRow("letters then number") << "abc12" << 0.0 << fails;
    QTest::newRow("comma ends the number") << "1,5" << 1.0 << fails;
    QTest::newRow("no exponent") << "1e5" << 1.0 << fails;
    QTest::newRow("no hexadecimal") << "0x1A" << 0.0 << fails;
    QTest::newRow("blanks around") << " \t60.5 " << 60.5 << 60.5;
    QTest::newRow("blank inside") << "6 0" << 6.0 << fails;
    QTest::newRow("line break after") << "70\r\n" << 70.0 << 70.0;
    QTest::newRow("full-width digits") << "１７０．５" << 170.5 << 170.5;
    QTest::newRow("full-width minus") << "－３" << -3.0 << -3.0;
    QTest::newRow("ideographic full stop") << "1。5" << 1.5 << 1.5;
    QTest::newRow("ideographic space") << "\u3000" "42" << 42.0 << 42.0;
    QTest::newRow("leading zeros") << "000123.4500" << 123.45 << 123.45;
    QTest::newRow("nearest double") << "0.1" << 0.1 << 0.1;
    QTest::newRow("halfway rounds to even")
        << "9007199254740993" << 9007199254740992.0 << 9007199254740992.0;
    QTest::newRow("digit beyond the 768th decides")
        << "9007199254740993." + QString(800, u'0') + "1" << 9007199254740994.0 << 9007199254740994.0;
}

void TestNumericText::readings()
{
    QFETCH(QString, text);
    QFETCH(double, lenient);
    QFETCH(double, strict);

    QCOMPARE(ReadLenient(text), lenient);
    if (std::isnan(strict))
        QVERIFY_THROWS_EXCEPTION(TypeMismatch, ReadStrict(text));
    else
        QCOMPARE(ReadStrict(text), strict);
}

void TestNumericText::hugeAndTinyNumbers_data()
{
    const double inf = std::numeric_limits<double>::infinity();
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("largest double") << "179769313486231570" + QString(291, u'0')
                                    << std::numeric_limits<double>::max();
    QTest::newRow("beyond the range") << "1" + QString(400, u'0') << inf;
    QTest::newRow("beyond, negative") << "-1" + QString(400, u'0') << -inf;
    QTest::newRow("a million digits") << QString(1000000, u'9') << inf;
    QTest::newRow("below the smallest") << "0." + QString(400, u'0') + "1" << 0.0;
    QTest::newRow("smallest subnormal") << "0." + QString(323, u'0') + "49406564584124654"
                                        << 4.9406564584124654e-324;
}

void TestNumericText::hugeAndTinyNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(ReadLenient(text), value);
    QCOMPARE(ReadStrict(text), value);
    QCOMPARE(std::signbit(ReadLenient(text)), std::signbit(value));
}

void TestNumericText::longTextsAreReadQuickly()
{
    // Each reading is linear in the text; a pathological text must not make typing stall.
    const QString digits = QString(2000000, u'7') + QStringLiteral(".5x");
    QCOMPARE(ReadLenient(digits), std::numeric_limits<double>::infinity());
    const QString zeros = QStringLiteral("0.") + QString(2000000, u'0') + QStringLiteral("1");
    QCOMPARE(ReadStrict(zeros), 0.0);
}

void TestNumericText::display_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("whole") << 3.0 << "3";
    QTest::newRow("fraction") << 2.5 << "2.5";
    QTest::newRow("below one") << 0.5 << "0.5";
    QTest::newRow("negative") << -12.25 << "-12.25";
    QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("two thirds") << 2.0 / 3 << "0.666666666666667";
    QTest::newRow("just below a short decimal") << std::nextafter(1521.45, 0.0) << "1521.45";
    QTest::newRow("rounds up to a whole") << 0.99999999999999999 << "1";
    QTest::newRow("area of 1 by 1") << 71.84 / 10000 << "0.007184";
    QTest::newRow("trailing zeros of a whole") << 29645.0 << "29645";
    QTest::newRow("largest positional") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounding carries into scientific") << 999999999999999.9 << "1E+15";
    QTest::newRow("large") << 1.5e20 << "1.5E+20";
    QTest::newRow("smallest positional") << 0.00001 << "0.00001";
    QTest::newRow("small") << 1.5e-7 << "1.5E-07";
    QTest::newRow("three-digit exponent") << -2.5e-300 << "-2.5E-300";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << "1.79769313486232E+308";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "∞";
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << "-∞";
}

void TestNumericText::display()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(DisplayText(value), text);
}

void TestNumericText::displayWholeNumber()
{
    QCOMPARE(DisplayText(qint16(5)), QStringLiteral("5"));
    QCOMPARE(DisplayText(qint16(0)), QStringLiteral("0"));
    QCOMPARE(DisplayText(qint16(-32768)), QStringLiteral("-32768"));
}

void TestNumericText::displayReadsBack()
{
    // The display form read back is the value to within its 15 digits, across the whole range.
    const double values[] = {1.69494680663474, 516.363636363636, 1e-5, 123456789.123456789,
                             6.02214076e23, 1.0 / 7, 2.5e-300, 1.7e308};
    for (double value : values) {
        for (double v : {value, -value}) {
            const QString text = DisplayText(v);
            const qsizetype e = text.indexOf(u'E');
            const double read = e < 0 ? ReadStrict(text)
                                      : ReadStrict(text.left(e)) * std::pow(10.0, text.mid(e + 1).toInt());
            QVERIFY2(std::abs(read - v) <= std::abs(v) * 1e-14, qPrintable(text));
        }
    }
}

QTEST_GUILESS_MAIN(TestNumericText)
#include "test_numerictext.moc"
