#include "screenreading.h"

#include "ipupdate/frmabout.h"
#include "ipupdate/frmmain.h"
#include "ipupdate/settingsplace.h"
#include "ipupdate/tests/fakestartup.h"

#include "common/application.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using accessibility::readControl;

class TestAccessibilityOstrand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void noInputIsNameless();
    void boxesAreNamedByTheirLabels_data();
    void boxesAreNamedByTheirLabels();
    void passwordIsNotReadOut();
    void settingsPlaceIsTold();

private:
    QString settingsPath() const { return m_settings.filePath(QStringLiteral("sys.dll")); }

    QTemporaryDir m_settings;
    ipupdate::testing::FakeSocketLayer m_sockets;
    ipupdate::frmmain *m_main = nullptr;
};

void TestAccessibilityOstrand::initTestCase()
{
    common::initApplication(QStringLiteral("Ostrand"), {});
    QVERIFY(m_settings.isValid());
    m_sockets.host = ipupdate::HostEntry{4, {QByteArray("\xC0\x00\x02\x07", 4)}};
    // Nothing listens on the discard port of loopback: the unseen page fails to load at once.
    m_main = new ipupdate::frmmain({QStringLiteral("127.0.0.1:9"), [this] { return settingsPath(); }});
    QVERIFY(m_main->load(m_sockets));
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void TestAccessibilityOstrand::cleanupTestCase()
{
    // The unseen page must end before the browser engine does.
    delete m_main;
}

void TestAccessibilityOstrand::noInputIsNameless()
{
    QCOMPARE(accessibility::namelessInputs(m_main).join(u", "), QString());
    ipupdate::frmabout about;
    QCOMPARE(accessibility::namelessInputs(&about).join(u", "), QString());
}

void TestAccessibilityOstrand::boxesAreNamedByTheirLabels_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    // Without the labels' closing colons, which a screen reader would read out.
    QTest::newRow("account") << "Text1" << "域名";
    QTest::newRow("password") << "Text2" << "密码";
    QTest::newRow("domain type") << "Combo1" << "类型";
    QTest::newRow("domain type, its text box") << "Combo1/QLineEdit" << "类型";
    QTest::newRow("domain type, its list") << "Combo1/QComboBoxListView" << "类型";
    // Below the client area, yet reached by the Tab key.
    QTest::newRow("address") << "Text3" << "本机IP地址";
    QTest::newRow("address to submit") << "Text4" << "提交的地址";
}

void TestAccessibilityOstrand::boxesAreNamedByTheirLabels()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    const accessibility::Reading reading = readControl(m_main, control);
    QVERIFY2(!reading.path.isEmpty(), qPrintable(control));
    QCOMPARE(reading.name, name);
}

void TestAccessibilityOstrand::passwordIsNotReadOut()
{
    auto *password = m_main->findChild<QLineEdit *>(QStringLiteral("Text2"));
    QTest::keyClicks(password, QStringLiteral("secret"));
    QCOMPARE(readControl(m_main, QStringLiteral("Text2")).value, QStringLiteral("******"));
    password->clear();
}

// Where the settings are kept: a tooltip over the settings and over the About window's version
// line, which a screen reader reads as their description.
void TestAccessibilityOstrand::settingsPlaceIsTold()
{
    const QString mainTip = QStringLiteral("设置保存在：") + QDir::toNativeSeparators(settingsPath());
    QCOMPARE(m_main->findChild<QWidget *>(QStringLiteral("Frame1"))->toolTip(), mainTip);
    QCOMPARE(readControl(m_main, QStringLiteral("Frame1")).description, mainTip);

    ipupdate::frmabout about;
    const QString aboutTip = QStringLiteral("设置保存在：") + QDir::toNativeSeparators(ipupdate::settingsFilePath());
    QCOMPARE(about.findChild<QWidget *>(QStringLiteral("Label1"))->toolTip(), aboutTip);
    QCOMPARE(readControl(&about, QStringLiteral("Label1")).description, aboutTip);
}

QTEST_MAIN(TestAccessibilityOstrand)
#include "test_accessibility_ostrand.moc"
