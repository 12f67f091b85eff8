#include "dosecalc/form1.h"
#include "dosecalc/formulas.h"
#include "dosecalc/power.h"

#include "common/application.h"

#include <QLineEdit>
#include <QtTest>

// What one keystroke costs, from the key event to both result labels written; and the
// formulas alone, on the fast path and on bases that need the slow one.
class BenchKeystroke : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { common::initApplication(QStringLiteral("Quarvel"), {}); }

    void areaKeystroke()
    {
        Form1 form;
        form.show();
        auto *height = form.findChild<QLineEdit *>(QStringLiteral("Text1"));
        QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("Text2")), QStringLiteral("60"));
        QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("Text3")), QStringLiteral("100"));
        QTest::keyClicks(height, QStringLiteral("17"));
        QBENCHMARK {
            QTest::keyClick(height, '5');
            QTest::keyClick(height, Qt::Key_Backspace);
        }
    }

    void carboplatinKeystroke()
    {
        Form1 form;
        form.show();
        auto *age = form.findChild<QLineEdit *>(QStringLiteral("Text4"));
        QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("Text5")), QStringLiteral("70"));
        QTest::keyClicks(form.findChild<QLineEdit *>(QStringLiteral("Text6")), QStringLiteral("88"));
        QTest::keyClicks(age, QStringLiteral("6"));
        QBENCHMARK {
            QTest::keyClick(age, '5');
            QTest::keyClick(age, Qt::Key_Backspace);
        }
    }

    void areaFormula()
    {
        double sum = 0;
        QBENCHMARK {
            sum += dosecalc::BodySurfaceArea(170.3, 60.2);
        }
        QVERIFY(sum > 0);
    }

    void powerSlowPath()
    {
        double sum = 0;
        QBENCHMARK {
            sum += dosecalc::CorrectlyRoundedPower(86.7, 0.725);
        }
        QVERIFY(sum > 0);
    }
};

QTEST_MAIN(BenchKeystroke)
#include "bench_keystroke.moc"
