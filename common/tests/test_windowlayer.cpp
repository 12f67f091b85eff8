#include "common/application.h"
#include "common/colorword.h"
#include "common/eventguard.h"
#include "common/keypress.h"
#include "common/messagebox.h"
#include "common/singlewindow.h"
#include "common/testing/messagerecorder.h"
#include "common/twips.h"
#include "common/windowsetup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace common;

namespace {

// A window as a .ui file would build it: controls with dynamic properties, in a frame.
struct SampleWindow {
    QWidget window;
    QGroupBox *frame = new QGroupBox(QStringLiteral("面板"), &window);
    QLineEdit *box = new QLineEdit(frame);
    QLabel *caption = new QLabel(QStringLiteral("身高"), frame);
    QPushButton *first = new QPushButton(QStringLiteral("退出"), &window);
    QPushButton *second = new QPushButton(QStringLiteral("关于"), &window);
    int firstClicks = 0;
    int secondClicks = 0;

    SampleWindow()
    {
        window.resize(345, 257);
        window.setProperty("borderStyle", "fixedSingle");
        window.setProperty("startUpPosition", "manual");
        window.setProperty("leftTwips", 3435);
        window.setProperty("topTwips", 2460);
        frame->setProperty("foreColor", "&H00800000&");
        frame->setProperty("tabIndex", 30);
        box->setProperty("tabIndex", 3);
        box->setProperty("pointSizeF", 10.5);
        caption->setProperty("tabIndex", 0);
        first->setProperty("tabIndex", 2);
        second->setProperty("tabIndex", 1);
        QObject::connect(first, &QPushButton::clicked, [this] { ++firstClicks; });
        QObject::connect(second, &QPushButton::clicked, [this] { ++secondClicks; });
        setUpWindow(&window);
    }
};

class Counted : public QWidget {
public:
    static inline int built = 0;
    Counted() { ++built; }
};

} // namespace

class TestWindowLayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initApplication(QStringLiteral("Sample"), {}); }
    void colorWords_data();
    void colorWords();
    void twipsBecomePixels();
    void windowSettings();
    void tabOrderAndFirstFocus();
    void focusedButtonPressedByEnterAndSpace_data();
    void focusedButtonPressedByEnterAndSpace();
    void enterInTextBoxPressesNoButton();
    void keyPressReportsCharacterCodes();
    void singleWindowLifecycle();
    void faultsStopAtTheGuard();
    void messageBox();
};

void TestWindowLayer::colorWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red is the low byte") << "&H000000FF&" << QColor(255, 0, 0);
    QTest::newRow("blue is the high byte") << "&H00FF0000&" << QColor(0, 0, 255);
    QTest::newRow("mixed") << "&H00004080&" << QColor(0x80, 0x40, 0x00);
    QTest::newRow("dark teal") << "&H00404000&" << QColor(0x00, 0x40, 0x40);
    QTest::newRow("window background") << "&H80000005&" << QGuiApplication::palette().color(QPalette::Base);
    QTest::newRow("not a colour word") << "red" << QColor();
}

void TestWindowLayer::colorWords()
{
    QFETCH(QString, word);
    QFETCH(QColor, color);
    QCOMPARE(colorFromWord(word), color);
}

void TestWindowLayer::twipsBecomePixels()
{
    QCOMPARE(twipsToPixels(5175), 345);
    QCOMPARE(twipsToPixels(15), 1);
    QCOMPARE(twipsToPixels(7), 0);
    QCOMPARE(twipsToPixels(8), 1);
    QCOMPARE(twipsToPixels(-120), -8);
}

void TestWindowLayer::windowSettings()
{
    SampleWindow sample;
    QCOMPARE(sample.window.geometry(), QRect(229, 164, 345, 257));
    QCOMPARE(sample.window.minimumSize(), sample.window.maximumSize());
    QVERIFY(!(sample.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(sample.window.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(sample.box->font().pointSizeF(), 10.5);
    // The frame's caption colour stays with the frame.
    QCOMPARE(sample.frame->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
    QCOMPARE(sample.caption->palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::WindowText));
}

void TestWindowLayer::tabOrderAndFirstFocus()
{
    SampleWindow sample;
    sample.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&sample.window));
    QCOMPARE(QApplication::focusWidget(), sample.second);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), sample.first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), sample.box);
}

void TestWindowLayer::focusedButtonPressedByEnterAndSpace_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
}

void TestWindowLayer::focusedButtonPressedByEnterAndSpace()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    SampleWindow sample;
    sample.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&sample.window));
    QTest::keyClick(sample.second, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(sample.secondClicks, 1);
    QCOMPARE(sample.firstClicks, 0);
}

void TestWindowLayer::enterInTextBoxPressesNoButton()
{
    SampleWindow sample;
    sample.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&sample.window));
    sample.box->setFocus();
    QTest::keyClick(sample.box, Qt::Key_Return);
    QTest::keyClick(sample.box, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(sample.firstClicks + sample.secondClicks, 0);
    QCOMPARE(sample.box->text(), QString());
}

void TestWindowLayer::keyPressReportsCharacterCodes()
{
    QLineEdit box;
    QList<int> codes;
    QString textWhenReported;
    onKeyPress(&box, [&](int code) {
        codes.append(code);
        textWhenReported = box.text();
    });
    QTest::keyClicks(&box, QStringLiteral("7."));
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&box, Qt::Key_Left);
    QCOMPARE(codes, (QList<int>{'7', '.', 13, 13}));
    // The handler runs before the box takes the key, and the key is not consumed.
    QCOMPARE(box.text(), QStringLiteral("7."));
    QCOMPARE(textWhenReported, QStringLiteral("7."));
}

void TestWindowLayer::singleWindowLifecycle()
{
    Counted::built = 0;
    QWidget *first = SingleWindow<Counted>::show();
    QCOMPARE(SingleWindow<Counted>::show(), first);
    QCOMPARE(Counted::built, 1);
    QVERIFY(first->parentWidget() == nullptr);

    QPointer<QWidget> closed = first;
    SingleWindow<Counted>::close();
    QVERIFY(!SingleWindow<Counted>::isOpen());
    QWidget *fresh = SingleWindow<Counted>::show();
    QVERIFY(fresh != first);
    QCOMPARE(Counted::built, 2);
    QTRY_VERIFY(closed.isNull());
    SingleWindow<Counted>::close();
}

void TestWindowLayer::faultsStopAtTheGuard()
{
    QStringList answered;
    setFaultSink([&](const Fault &fault) { answered << QString::fromUtf8(fault.what()); });
    QStringList steps;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, guarded([&] {
        steps << "before";
        throw ArithmeticFault();
        steps << "after";
    }));
    button.click();
    QCOMPARE(steps, QStringList{"before"});
    QCOMPARE(answered, QStringList{"arithmetic fault"});

    // A guard of its own answers instead of the program's sink.
    int own = 0;
    runGuarded([] { throw TypeMismatch(); }, [&](const Fault &) { ++own; });
    QCOMPARE(own, 1);
    QCOMPARE(answered.size(), 1);
    setFaultSink({});
}

void TestWindowLayer::messageBox()
{
    testing::MessageRecorder recorder;
    showMessage(nullptr, QStringLiteral("请输入体重！"), MessageIcon::Information, QStringLiteral("提醒"));
    showMessage(nullptr, QStringLiteral("plain"));
    QCOMPARE(recorder.seen().size(), 2);
    QCOMPARE(recorder.seen()[0].title, QStringLiteral("提醒"));
    QCOMPARE(recorder.seen()[0].icon, QMessageBox::Information);
    QCOMPARE(recorder.seen()[1].title, QStringLiteral("Sample"));
    QCOMPARE(recorder.seen()[1].icon, QMessageBox::NoIcon);
}

QTEST_MAIN(TestWindowLayer)
#include "test_windowlayer.moc"
