#include "test_frmmain_fixture.h"

#include "common/application.h"
#include "common/singlewindow.h"
#include "ipupdate/frmabout.h"
#include "ipupdate/providerconfig.h"
#include "ipupdate/setini.h"

#include <QGroupBox>
#include <QStyle>
#include <QtTest>

using namespace ipupdate;
using namespace ipupdate::testing;

namespace {

QStringList listOf(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

const QStringList presetSuffixes{QString::fromUtf16(provider::domainSuffix1),
                                 QString::fromUtf16(provider::domainSuffix2)};

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { common::initApplication(QStringLiteral("Ostrand"), {}); }
    void startsWithoutSettingsFile();
    void startsWithSettingsFile();
    void layoutAndFocus();
    void failingSocketCheckEndsBeforeShowing();
    void aboutOpensOnceAndOutlivesMainWindow();
};

void TestFrmMain::startsWithoutSettingsFile()
{
    MainWindowRun run;
    QVERIFY(run.load());
    QVERIFY(!run.window->isVisible());
    QCOMPARE(run.box("Text1")->text(), QString());
    QCOMPARE(run.box("Text2")->text(), QString());
    // The preset text gives way to the empty setting; the list keeps both entries.
    QCOMPARE(run.combo()->currentText(), QString());
    QCOMPARE(listOf(run.combo()), presetSuffixes);
    QCOMPARE(run.box("Text3")->text(), QStringLiteral("192.0.2.7"));
    QCOMPARE(run.box("Text4")->text(), QStringLiteral("http://192.0.2.7"));
    QVERIFY(!run.button("Command1")->isEnabled());
    QVERIFY(run.button("Command2")->isEnabled());
    QVERIFY(run.button("Command3")->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(run.server.requestsTo("/modify-new.htm").size(), 1, 20000);
    QCOMPARE(run.server.requestsTo("/modify-new.htm").constFirst().method, QByteArray("GET"));
    QVERIFY(!QFile::exists(run.settingsPath()));
    QCOMPARE(run.messages.seen().size(), 0);
}

void TestFrmMain::startsWithSettingsFile()
{
    MainWindowRun run;
    const QString section = QStringLiteral("myset");
    QVERIFY(WriteSetting(section, QStringLiteral("username"), QStringLiteral("张三"), run.settingsPath()));
    QVERIFY(WriteSetting(section, QStringLiteral("domain"), QStringLiteral("own.example.org"), run.settingsPath()));
    QVERIFY(WriteSetting(section, QStringLiteral("password"), QStringLiteral("p w"), run.settingsPath()));
    QVERIFY(run.load());
    QCOMPARE(run.box("Text1")->text(), QStringLiteral("张三"));
    QCOMPARE(run.combo()->currentText(), QStringLiteral("own.example.org"));
    QCOMPARE(run.box("Text2")->text(), QStringLiteral("p w"));
    QCOMPARE(listOf(run.combo()), presetSuffixes);
}

void TestFrmMain::layoutAndFocus()
{
    MainWindowRun run;
    QVERIFY(run.load());
    run.window->show();
    QVERIFY(QTest::qWaitForWindowActive(run.window));
    QCOMPARE(run.window->windowTitle(), QStringLiteral("Ostrand"));
    QCOMPARE(run.window->size(), QSize(312, 166));
    QCOMPARE(run.window->minimumSize(), run.window->maximumSize());
    QCOMPARE(run.control<QGroupBox>("Frame1")->title(), QStringLiteral("设置(目前只适合于网易)"));
    QVERIFY(run.combo()->isEditable());
    QLineEdit *password = run.box("Text2");
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password), int('*'));

    // Focus starts in Text1; the Tab key passes over the disabled "确定".
    QCOMPARE(QApplication::focusWidget(), run.box("Text1"));
    const QList<QWidget *> order{run.box("Text2"), run.combo()->lineEdit(), run.button("Command3"),
                                 run.button("Command2")};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY2(focused == next || focused->focusProxy() == next || next->focusProxy() == focused,
                 qPrintable(focused->objectName()));
    }
}

void TestFrmMain::failingSocketCheckEndsBeforeShowing()
{
    MainWindowRun run;
    run.layer.startResult = 10091;
    QVERIFY(!run.load());
    QVERIFY(!run.window->isVisible());
    QCOMPARE(run.messages.seen().size(), 1);
    QCOMPARE(run.messages.seen().constFirst().text, QStringLiteral("Winsock.dll is not responding."));
    QCOMPARE(run.messages.seen().constFirst().title, QStringLiteral("Ostrand"));
    QCOMPARE(run.messages.seen().constFirst().icon, QMessageBox::NoIcon);
    // The address discovery never ran.
    QCOMPARE(run.box("Text3")->text(), QStringLiteral("Text3"));
    QCOMPARE(run.box("Text4")->text(), QStringLiteral("Text4"));
}

void TestFrmMain::aboutOpensOnceAndOutlivesMainWindow()
{
    MainWindowRun run;
    QVERIFY(run.load());
    run.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(run.window));

    QTest::mouseClick(run.button("Command2"), Qt::LeftButton);
    frmabout *about = common::SingleWindow<frmabout>::instance();
    QVERIFY(about);
    QVERIFY(about->parentWidget() == nullptr);
    QTest::mouseClick(run.button("Command2"), Qt::LeftButton);
    QCOMPARE(common::SingleWindow<frmabout>::instance(), about);
    QCOMPARE(run.window->findChildren<frmabout *>().size() + QApplication::topLevelWidgets().count(about), 1);

    // The program runs on after "退出" while the About window is open, and ends with it.
    QObject context;
    bool aboutOpenAfterMainClosed = false;
    QTimer::singleShot(0, &context, [&] { QTest::mouseClick(run.button("Command3"), Qt::LeftButton); });
    QTimer::singleShot(300, &context, [&] {
        aboutOpenAfterMainClosed = common::SingleWindow<frmabout>::isOpen();
        common::SingleWindow<frmabout>::close();
    });
    QTimer::singleShot(20000, &context, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(aboutOpenAfterMainClosed);
    QTRY_VERIFY(run.window.isNull());
}

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
