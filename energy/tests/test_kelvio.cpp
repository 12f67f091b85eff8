#include "energy/frmmain.h"

#include "common/application.h"
#include "common/credits.h"
#include "common/testing/messagerecorder.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>

using common::testing::MessageRecorder;

namespace {

// Plain keys for ASCII text; anything else arrives as an input method commits it.
void typeInto(QWidget *box, const QString &text)
{
    bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        QTest::keyClicks(box, text);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    }
}

// The window as the user meets it: shown, active, focus in the weight box.
struct Shown {
    frmmain window;

    Shown()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    template <typename T = QLineEdit>
    T *control(const char *name) { return window.findChild<T *>(QLatin1String(name)); }

    // Types into the three boxes through the keyboard; an empty text leaves a box empty.
    void type(const QString &weight, const QString &height, const QString &age)
    {
        const std::pair<const char *, QString> boxes[] = {{"Text1", weight}, {"Text2", height}, {"Text3", age}};
        for (const auto &[name, text] : boxes) {
            QLineEdit *box = control(name);
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            typeInto(box, text);
        }
    }

    // On the round indicator, where a click always counts.
    void choose(const char *option)
    {
        auto *button = control<QRadioButton>(option);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
    }
    void calculate() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }
    QString result() { return control("Text4")->text(); }
};

} // namespace

class TestKelvio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { common::initApplication(QStringLiteral("Kelvio"), {}); }
    void startsReadyForTheWeight();
    void calculates_data();
    void calculates();
    void switchingSexSwitchesTheEquation();
    void remindsOfTheFirstEmptyBox();
    void faultsAreExplainedAndKeepTheResult_data();
    void faultsAreExplainedAndKeepTheResult();
    void enterInABoxPressesNothing();
};

void TestKelvio::startsReadyForTheWeight()
{
    Shown shown;
    QCOMPARE(shown.window.windowTitle(), QStringLiteral("Kelvio(REE)"));
    QCOMPARE(QApplication::focusWidget(), shown.control("Text1"));
    QVERIFY(shown.control<QRadioButton>("Option1")->isChecked());

    // Tab walks weight, the sex group, height, age, the button and the result.
    QStringList walked;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, (QStringList{"Option1", "Text2", "Text3", "Command1", "Text4"}));

    const QString credit = shown.control<QLabel>("Label4")->text();
    QCOMPARE(credit, QStringLiteral("程序设计：") + QString::fromUtf16(common::credits::authorName) + "  "
                         + QString::fromUtf16(common::credits::authorWeb) + "   "
                         + QString::fromUtf16(common::credits::authorMail));
}

void TestKelvio::calculates_data()
{
    QTest::addColumn<bool>("woman");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("result");
    QTest::newRow("man") << false << "70" << "175" << "30" << "1696";
    QTest::newRow("woman, height factor 1.7") << true << "55" << "160" << "40" << "1267";
    QTest::newRow("woman with a fraction") << true << "70" << "175" << "30" << "1483.5";
    // The double computed lies just below 1521.45; fifteen digits round it back.
    QTest::newRow("man, fractional inputs") << false << "60.5" << "170.2" << "33" << "1521.45";
    QTest::newRow("man, zeros") << false << "0" << "0" << "0" << "66";
    QTest::newRow("woman, zeros") << true << "0" << "0" << "0" << "655";
    QTest::newRow("no lower bound") << false << "0" << "0" << "100" << "-614";
    QTest::newRow("full-width digits") << false << "７０" << "１７５" << "３０" << "1696";
}

void TestKelvio::calculates()
{
    QFETCH(bool, woman);
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(QString, age);
    QFETCH(QString, result);
    MessageRecorder recorder;
    Shown shown;
    if (woman)
        shown.choose("Option2");
    shown.type(weight, height, age);
    shown.calculate();
    QCOMPARE(shown.result(), result);
    QVERIFY(recorder.seen().isEmpty());
}

void TestKelvio::switchingSexSwitchesTheEquation()
{
    Shown shown;
    shown.type("70", "175", "30");
    shown.choose("Option2");
    QCOMPARE(shown.result(), QString());
    shown.calculate();
    QCOMPARE(shown.result(), QStringLiteral("1483.5"));
    shown.choose("Option1");
    QCOMPARE(shown.result(), QStringLiteral("1483.5"));
    shown.calculate();
    QCOMPARE(shown.result(), QStringLiteral("1696"));
}

void TestKelvio::remindsOfTheFirstEmptyBox()
{
    MessageRecorder recorder;
    Shown shown;
    shown.calculate();
    shown.type("70", "", "");
    shown.calculate();
    shown.type("70", "175", "");
    shown.calculate();

    QStringList texts;
    for (const auto &message : recorder.seen()) {
        QCOMPARE(message.title, QStringLiteral("提醒"));
        QCOMPARE(message.icon, QMessageBox::Information);
        texts << message.text;
    }
    QCOMPARE(texts, (QStringList{"请输入体重！", "请输入身高！", "请输入年龄！"}));
    QCOMPARE(shown.result(), QString());
}

void TestKelvio::faultsAreExplainedAndKeepTheResult_data()
{
    QTest::addColumn<bool>("woman");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("wrongBox");
    QTest::newRow("age of blanks") << false << "70" << "175" << "  " << "年龄输入的不是数字，请重新输入！" << "Text3";
    QTest::newRow("height with letters") << true << "70" << "175cm" << "abc"
                                         << "身高输入的不是数字，请重新输入！" << "Text2";
    QTest::newRow("two points in the weight") << false << "1.2.3" << "175" << "30"
                                              << "体重输入的不是数字，请重新输入！" << "Text1";
    const QString tooLarge = QStringLiteral("数字太大，无法计算，请检查体重、身高和年龄！");
    QTest::newRow("overflow in the weight term, man") << false << "1" + QString(308, '0') << "175" << "30" << tooLarge << "";
    QTest::newRow("overflow in the height term, woman")
        << true << "70" << "15" + QString(307, '0') << "30" << tooLarge << "";
    // Beyond the double range the reading itself gives an infinity, which must not be shown.
    QTest::newRow("age beyond the double range") << false << "70" << "175" << "9" + QString(400, '9') << tooLarge << "";
}

void TestKelvio::faultsAreExplainedAndKeepTheResult()
{
    QFETCH(bool, woman);
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(QString, age);
    QFETCH(QString, message);
    QFETCH(QString, wrongBox);
    MessageRecorder recorder;
    Shown shown;
    if (woman)
        shown.choose("Option2");
    shown.type("70", "175", "30");
    shown.calculate();
    const QString before = shown.result();

    shown.type(weight, height, age);
    shown.calculate();
    QCOMPARE(shown.result(), before);
    QCOMPARE(recorder.seen().size(), 1);
    QCOMPARE(recorder.seen()[0].text, message);
    QCOMPARE(recorder.seen()[0].title, QStringLiteral("Kelvio"));
    QCOMPARE(recorder.seen()[0].icon, QMessageBox::Warning);
    if (!wrongBox.isEmpty())
        QCOMPARE(shown.window.focusWidget(), shown.control(qPrintable(wrongBox)));

    // The program goes on: the corrected boxes calculate again.
    shown.type("70", "175", "30");
    shown.calculate();
    QCOMPARE(shown.result(), woman ? QStringLiteral("1483.5") : QStringLiteral("1696"));
    QCOMPARE(recorder.seen().size(), 1);
}

void TestKelvio::enterInABoxPressesNothing()
{
    MessageRecorder recorder;
    Shown shown;
    shown.type("70", "175", "30");
    for (const char *name : {"Text1", "Text2", "Text3", "Text4"}) {
        QTest::keyClick(shown.control(name), Qt::Key_Return);
        QTest::keyClick(shown.control(name), Qt::Key_Enter, Qt::KeypadModifier);
    }
    QCOMPARE(shown.result(), QString());
    QVERIFY(recorder.seen().isEmpty());

    // Enter on the focused button does press it.
    QTest::keyClick(shown.control<QPushButton>("Command1"), Qt::Key_Return);
    QCOMPARE(shown.result(), QStringLiteral("1696"));
}

QTEST_MAIN(TestKelvio)
#include "test_kelvio.moc"
