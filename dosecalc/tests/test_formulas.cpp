#include "dosecalc/formulas.h"
#include "dosecalc/power.h"

#include "common/faults.h"
#include "common/numerictext.h"

#include <QtTest>

#include <mpfr.h>

#include <cmath>
#include <limits>
#include <random>

using namespace dosecalc;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The exact power, rounded once to a double: computed with far more bits than a double has,
// then rounded. A 53-bit value's exact power is never within 2^-256 of a rounding boundary here.
double referencePower(double base, double exponent)
{
    mpfr_t x, y, p;
    mpfr_inits2(256, x, y, p, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(x, base, MPFR_RNDN);
    mpfr_set_d(y, exponent, MPFR_RNDN);
    mpfr_pow(p, x, y, MPFR_RNDN);
    const double result = mpfr_get_d(p, MPFR_RNDN);
    mpfr_clears(x, y, p, static_cast<mpfr_ptr>(nullptr));
    return result;
}

enum class Outcome { Value, InvalidArgument, ArithmeticFault };

template <typename Operation>
Outcome outcomeOf(Operation operation)
{
    try {
        operation();
        return Outcome::Value;
    } catch (const common::InvalidArgument &) {
        return Outcome::InvalidArgument;
    } catch (const common::ArithmeticFault &) {
        return Outcome::ArithmeticFault;
    }
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestFormulas : public QObject {
    Q_OBJECT

private slots:
    void areaAndDose_data();
    void areaAndDose();
    void carboplatin_data();
    void carboplatin();
    void faults_data();
    void faults();
    void powerSpecialBases();
    void powerNearRoundingBoundaries_data();
    void powerNearRoundingBoundaries();
    void powerAgreesWithReference();
};

void TestFormulas::areaAndDose_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("dosePerSquareMetre");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("dose");
    QTest::newRow("170 cm, 60 kg") << 170.0 << 60.0 << 100.0 << "1.69494680663474" << "169.494680663474";
    QTest::newRow("175 cm, 70 kg") << 175.0 << 70.0 << 135.0 << "1.84814301812135" << "249.499307446382";
    QTest::newRow("factor and divisor apart") << 1.0 << 1.0 << 1.0 << "0.007184" << "0.007184";
    QTest::newRow("no height") << 0.0 << 60.0 << 100.0 << "0" << "0";
    QTest::newRow("no weight") << 170.0 << 0.0 << 100.0 << "0" << "0";
    QTest::newRow("negative zero height") << -0.0 << 60.0 << 100.0 << "0" << "0";
    // The C library's pow misses the last bit of 52.3^0.425, and the area's 15th digit shows it.
    QTest::newRow("weight whose power is hard to round")
        << 165.5 << 52.3 << 100.0 << "1.56804344053187" << "156.804344053187";
    QTest::newRow("infinite height") << kInfinity << 60.0 << 1.0 << "∞" << "∞";
}

void TestFormulas::areaAndDose()
{
    QFETCH(double, height);
    QFETCH(double, weight);
    QFETCH(double, dosePerSquareMetre);
    QFETCH(QString, area);
    QFETCH(QString, dose);
    const double computed = BodySurfaceArea(height, weight);
    QCOMPARE(common::DisplayText(computed), area);
    QCOMPARE(common::DisplayText(DoseFromArea(computed, dosePerSquareMetre)), dose);
}

void TestFormulas::carboplatin_data()
{
    QTest::addColumn<double>("age");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("creatinine");
    QTest::addColumn<double>("auc");
    QTest::addColumn<QStringList>("figures");
    QTest::newRow("60 years, 70 kg, 88")
        << 60.0 << 70.0 << 88.0 << 5.0
        << QStringList{"78.2727272727273", "66.5318181818182", "516.363636363636", "457.659090909091"};
    // 65.3 held in single precision is 65.30000305…, and that shows in the 15 digits.
    QTest::newRow("fractional age in single precision")
        << 65.3 << 60.0 << 90.0 << 5.0
        << QStringList{"61.2539974975586", "52.0658978729248", "431.269987487793", "385.329489364624"};
    QTest::newRow("creatinine 0 taken as 1")
        << 60.0 << 60.0 << 0.0 << 5.0 << QStringList{"5904", "5018.4", "29645", "25217"};
    QTest::newRow("creatinine -0 taken as 1")
        << 60.0 << 60.0 << -0.0 << 5.0 << QStringList{"5904", "5018.4", "29645", "25217"};
    QTest::newRow("all empty") << 0.0 << 0.0 << 0.0 << 5.0 << QStringList{"0", "0", "125", "125"};
    QTest::newRow("age above 140")
        << 160.0 << 50.0 << 100.0 << 5.0 << QStringList{"-12.3", "-10.455", "63.5", "72.725"};
    QTest::newRow("negative creatinine")
        << 60.0 << 70.0 << -88.0 << 5.0
        << QStringList{"-78.2727272727273", "-66.5318181818182", "-266.363636363636", "-207.659090909091"};
    // Beyond the single range the age becomes infinite: no fault, infinite figures.
    QTest::newRow("age beyond the single range")
        << 1e39 << 70.0 << 88.0 << 5.0 << QStringList{"-∞", "-∞", "-∞", "-∞"};
    QTest::newRow("negative age beyond the single range")
        << -1e39 << 70.0 << 88.0 << 5.0 << QStringList{"∞", "∞", "∞", "∞"};
    // The single range ends at the midpoint between the largest single and 2^128.
    QTest::newRow("age just below the end of the single range")
        << 0x1.fffffefffffffp127 << 1.0 << 1.0 << 1.0
        << QStringList{"-4.1854728636539E+38", "-3.55765193410582E+38", "-4.1854728636539E+38",
                       "-3.55765193410582E+38"};
    QTest::newRow("age at the end of the single range")
        << 0x1.ffffffp127 << 1.0 << 1.0 << 1.0 << QStringList{"-∞", "-∞", "-∞", "-∞"};
}

void TestFormulas::carboplatin()
{
    QFETCH(double, age);
    QFETCH(double, weight);
    QFETCH(double, creatinine);
    QFETCH(double, auc);
    QFETCH(QStringList, figures);
    const auto f = CarboplatinFigures(age, weight, creatinine, auc);
    QCOMPARE((QStringList{common::DisplayText(f.maleClearance), common::DisplayText(f.femaleClearance),
                          common::DisplayText(f.maleDose), common::DisplayText(f.femaleDose)}),
             figures);
}

void TestFormulas::faults_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("d");
    QTest::addColumn<Outcome>("outcome");
    QTest::newRow("negative height") << "area" << -1.0 << 60.0 << 0.0 << 0.0 << Outcome::InvalidArgument;
    QTest::newRow("negative weight") << "area" << 170.0 << -0.5 << 0.0 << 0.0 << Outcome::InvalidArgument;
    QTest::newRow("tiny negative height") << "area" << -1e-300 << 0.0 << 0.0 << 0.0 << Outcome::InvalidArgument;
    QTest::newRow("powers' product overflows") << "area" << 1e300 << 1e300 << 0.0 << 0.0 << Outcome::ArithmeticFault;
    QTest::newRow("area factor overflows") << "area" << 1.7e308 << 1.5e308 << 0.0 << 0.0 << Outcome::ArithmeticFault;
    QTest::newRow("infinite height, no weight") << "area" << kInfinity << 0.0 << 0.0 << 0.0 << Outcome::ArithmeticFault;
    QTest::newRow("dose overflows") << "dose" << 1.7 << 1.7e308 << 0.0 << 0.0 << Outcome::ArithmeticFault;
    QTest::newRow("infinite area, no dose") << "dose" << kInfinity << 0.0 << 0.0 << 0.0 << Outcome::ArithmeticFault;
    QTest::newRow("age times weight overflows")
        << "carboplatin" << 0.0 << 1.7e308 << 88.0 << 5.0 << Outcome::ArithmeticFault;
    QTest::newRow("tiny creatinine overflows")
        << "carboplatin" << 60.0 << 70.0 << 1e-306 << 5.0 << Outcome::ArithmeticFault;
    QTest::newRow("dose overflows by the AUC")
        << "carboplatin" << 60.0 << 70.0 << 88.0 << 1e308 << Outcome::ArithmeticFault;
    QTest::newRow("infinite age, no weight")
        << "carboplatin" << 1e39 << 0.0 << 88.0 << 5.0 << Outcome::ArithmeticFault;
    QTest::newRow("infinite age, AUC 0")
        << "carboplatin" << 1e39 << 70.0 << 88.0 << 0.0 << Outcome::ArithmeticFault;
    QTest::newRow("infinite age, infinite creatinine")
        << "carboplatin" << 1e39 << 70.0 << kInfinity << 5.0 << Outcome::ArithmeticFault;
    QTest::newRow("no clinical bound") << "carboplatin" << 300.0 << -70.0 << -1.0 << -7.0 << Outcome::Value;
}

void TestFormulas::faults()
{
    QFETCH(QString, operation);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(double, d);
    QFETCH(Outcome, outcome);
    const Outcome seen = outcomeOf([&] {
        if (operation == QLatin1String("area"))
            BodySurfaceArea(a, b);
        else if (operation == QLatin1String("dose"))
            DoseFromArea(a, b);
        else
            CarboplatinFigures(a, b, c, d);
    });
    QCOMPARE(seen, outcome);
}

void TestFormulas::powerSpecialBases()
{
    QCOMPARE(CorrectlyRoundedPower(0.0, 0.725), 0.0);
    QVERIFY(!std::signbit(CorrectlyRoundedPower(-0.0, 0.425)));
    QCOMPARE(CorrectlyRoundedPower(1.0, 0.725), 1.0);
    QCOMPARE(CorrectlyRoundedPower(kInfinity, 0.425), kInfinity);
    QVERIFY(std::isnan(CorrectlyRoundedPower(std::nan(""), 0.725)));
    QVERIFY_THROWS_EXCEPTION(common::InvalidArgument, CorrectlyRoundedPower(-kInfinity, 0.725));
    QVERIFY_THROWS_EXCEPTION(common::InvalidArgument, CorrectlyRoundedPower(-std::numeric_limits<double>::denorm_min(), 0.425));
}

// Bases whose exact power lies so close to the midpoint between two doubles that the extended
// precision power cannot decide the rounding: the fast path must decline, and the slow path
// must round the right way. For several the C library's pow rounds the wrong way.
void TestFormulas::powerNearRoundingBoundaries_data()
{
    QTest::addColumn<double>("base");
    QTest::addColumn<double>("exponent");
    QTest::newRow("height 86.7 (pow errs)") << 86.7 << 0.725;
    QTest::newRow("height 71.1") << 71.1 << 0.725;
    QTest::newRow("height 169.1") << 169.1 << 0.725;
    QTest::newRow("weight 2.4 (pow errs)") << 2.4 << 0.425;
    QTest::newRow("weight 52.3 (pow errs)") << 52.3 << 0.425;
    QTest::newRow("weight 106.1 (pow errs)") << 106.1 << 0.425;
    QTest::newRow("weight 24.7") << 24.7 << 0.425;
}

void TestFormulas::powerNearRoundingBoundaries()
{
    QFETCH(double, base);
    QFETCH(double, exponent);
    const double exact = referencePower(base, exponent);
    QCOMPARE(powerFastPath(base, exponent), std::nullopt);
    QCOMPARE(powerSlowPath(base, exponent), exact);
    QCOMPARE(CorrectlyRoundedPower(base, exponent), exact);
}

// Every height and weight a user types to a tenth, and bases from all over the double range:
// whatever the fast path answers is the correctly rounded power, and so is the final result.
void TestFormulas::powerAgreesWithReference()
{
    std::mt19937_64 random(20061220);
    std::uniform_int_distribution<quint64> finitePositive(1, 0x7fefffffffffffffULL);
    QList<double> bases;
    for (int tenths = 1; tenths <= 3000; ++tenths)
        bases.append(tenths / 10.0);
    for (int i = 0; i < 20000; ++i)
        bases.append(std::bit_cast<double>(finitePositive(random)));

    int fastAnswers = 0;
    for (const double exponent : {0.725, 0.425}) {
        for (const double base : std::as_const(bases)) {
            const double exact = referencePower(base, exponent);
            if (const auto fast = powerFastPath(base, exponent)) {
                ++fastAnswers;
                if (*fast != exact)
                    QFAIL(qPrintable(QStringLiteral("fast path wrong for %1^%2").arg(base, 0, 'g', 17).arg(exponent)));
            }
            if (CorrectlyRoundedPower(base, exponent) != exact)
                QFAIL(qPrintable(QStringLiteral("wrong power %1^%2").arg(base, 0, 'g', 17).arg(exponent)));
        }
    }
    // The fast path is what keeps a keystroke cheap; it must answer nearly always.
    QVERIFY(fastAnswers > 2 * bases.size() * 95 / 100);
}

QTEST_GUILESS_MAIN(TestFormulas)
#include "test_formulas.moc"
