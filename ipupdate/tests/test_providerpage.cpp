#include "test_frmmain_fixture.h"

#include "common/application.h"
#include "common/testing/messagerecorder.h"
#include "ipupdate/setini.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace ipupdate;
using namespace ipupdate::testing;

namespace {

using Fields = QMap<QByteArray, QByteArray>;

// The record-change form as the provider serves it; the answer may come with an error status.
const QByteArray standardForm = R"(
<form action="/answer" method="post">
  <input type="text" name="username"> <input type="password" name="password">
  <select name="domain"><option>.dyn.example.net</option><option>.dyn.example.com</option></select>
  <input type="submit" name="ok3" value="修改">
  <input type="hidden" name="url" value="">
</form>)";

QString setting(const MainWindowRun &run, const char *key)
{
    return ReadSetting(QStringLiteral("myset"), QLatin1String(key), run.settingsPath());
}

// Starts the window on `forms` and waits until the page has loaded.
void startOn(MainWindowRun &run, const QByteArray &forms, const QByteArray &contentType = "text/html; charset=utf-8")
{
    run.server.serve("/modify-new.htm", providerPage(forms), 200, contentType);
    run.server.serve("/answer", providerPage("<p>refused</p>"), 500);
    QVERIFY(run.load());
    QTRY_VERIFY_WITH_TIMEOUT(run.button("Command1")->isEnabled(), 20000);
}

void fillIn(MainWindowRun &run, const QString &username, const QString &domain, const QString &password)
{
    run.box("Text1")->setText(username);
    run.combo()->setEditText(domain);
    run.box("Text2")->setText(password);
}

void confirm(MainWindowRun &run)
{
    QTest::mouseClick(run.button("Command1"), Qt::LeftButton);
}

// Waits until the page has finished with the confirm: a submission arrived, or a message came.
void waitForSubmission(MainWindowRun &run)
{
    QTRY_COMPARE_WITH_TIMEOUT(run.server.requestsTo("/answer").size(), 1, 20000);
}

} // namespace

class TestProviderPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { common::initApplication(QStringLiteral("Ostrand"), {}); }
    void confirmFillsSubmitsAndSaves();
    void userTextsArriveAsTyped_data();
    void userTextsArriveAsTyped();
    void gbkPageGetsGbkForm();
    void onlyTheFirstFormsExactNamesCount_data();
    void onlyTheFirstFormsExactNamesCount();
    void pageFaultsStopTheConfirm_data();
    void pageFaultsStopTheConfirm();
    void secondPressWhileRunningSubmitsNothing();
    void failedSaveIsReportedAfterSubmitting();
};

void TestProviderPage::confirmFillsSubmitsAndSaves()
{
    MainWindowRun run;
    run.server.serve("/modify-new.htm", providerPage(standardForm));
    run.server.serve("/answer", providerPage("<p>refused</p>"), 500);
    QVERIFY(run.load());
    ButtonStates states(run.button("Command1"), run.button("Command3"));
    QCOMPARE(states.now(), QStringLiteral("- +"));
    QTRY_COMPARE_WITH_TIMEOUT(states.now(), QStringLiteral("+ +"), 20000);

    run.box("Text1")->setFocus();
    QTest::keyClicks(run.box("Text1"), QStringLiteral("myhost"));
    QTest::keyClicks(run.box("Text2"), QStringLiteral("s3cret pass"));
    run.combo()->lineEdit()->clear();
    QTest::keyClicks(run.combo(), QStringLiteral(".dyn.example.com"));
    confirm(run);

    waitForSubmission(run);
    const SeenRequest posted = run.server.requestsTo("/answer").constFirst();
    QCOMPARE(posted.method, QByteArray("POST"));
    QCOMPARE(posted.field("username"), QByteArray("myhost"));
    QCOMPARE(posted.field("domain"), QByteArray(".dyn.example.com"));
    QCOMPARE(posted.field("password"), QByteArray("s3cret pass"));
    QCOMPARE(posted.field("url"), QByteArray("http://192.0.2.7"));
    QCOMPARE(posted.field("ok3"), QByteArray("修改"));

    // Saved, then both buttons off until the answer page (status 500) has loaded.
    QTRY_COMPARE_WITH_TIMEOUT(states.seen, (QStringList{"+ +", "+ -", "- -", "- +", "+ +"}), 20000);
    QCOMPARE(setting(run, "username"), QStringLiteral("myhost"));
    QCOMPARE(setting(run, "domain"), QStringLiteral(".dyn.example.com"));
    QCOMPARE(setting(run, "password"), QStringLiteral("s3cret pass"));
    QCOMPARE(run.server.requestsTo("/answer").size(), 1);
}

void TestProviderPage::userTextsArriveAsTyped_data()
{
    QTest::addColumn<QString>("text");
    // Whether the settings file can hold the text; one it cannot hold is still submitted.
    QTest::addColumn<bool>("storable");
    QTest::newRow("quotes and backslashes") << QStringLiteral("a\"b'c\\d\\\\\"e") << true;
    QTest::newRow("script end tag") << QStringLiteral("</script><script>alert(1)</script>") << true;
    QTest::newRow("code in the text") << QStringLiteral("\"});document.forms[0].submit();//${x}`") << true;
    QTest::newRow("Chinese") << QStringLiteral("密码") << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("line break") << QStringLiteral("first\r\nsecond") << false;
    QTest::newRow("line separators") << QStringLiteral("a\u2028b\u2029c") << false;
    QTest::newRow("beyond the BMP") << QStringLiteral("pw😀") << false;
}

void TestProviderPage::userTextsArriveAsTyped()
{
    QFETCH(QString, text);
    QFETCH(bool, storable);
    MainWindowRun run;
    // Hidden fields and a text area keep every character that a user's text can hold.
    startOn(run, R"(<form action="/answer" method="post">
        <textarea name="username"></textarea><input type="hidden" name="domain">
        <input type="hidden" name="password"><input type="hidden" name="url">
        <button type="submit" name="ok3" value="go">go</button></form>)");
    fillIn(run, text, text, text);
    confirm(run);
    waitForSubmission(run);
    const SeenRequest posted = run.server.requestsTo("/answer").constFirst();
    for (const char *name : {"username", "domain", "password"})
        QCOMPARE(QString::fromUtf8(posted.field(name)), text);
    QCOMPARE(posted.fieldNames(), (QList<QByteArray>{"username", "domain", "password", "url", "ok3"}));
    if (storable) {
        QTRY_COMPARE(setting(run, "password"), text);
        QCOMPARE(run.messages.seen().size(), 0);
    } else {
        QTRY_COMPARE(run.messages.seen().size(), 1);
        QVERIFY(run.messages.seen().constFirst().text.startsWith(QStringLiteral("已经提交，但设置没能保存到 ")));
    }
}

void TestProviderPage::gbkPageGetsGbkForm()
{
    MainWindowRun run;
    // "修改记录" in GBK, so the page is a real GBK page and not only labelled one.
    const QByteArray gbkPage = "<form action=\"/answer\" method=\"post\"><p>\xD0\xDE\xB8\xC4\xBC\xC7\xC2\xBC</p>"
                               "<input name=\"username\"><input name=\"domain\"><input name=\"password\">"
                               "<input name=\"url\"><input type=\"submit\" name=\"ok3\"></form>";
    startOn(run, gbkPage, "text/html; charset=GBK");
    fillIn(run, QStringLiteral("张三"), QStringLiteral("测试"), QStringLiteral("密码"));
    confirm(run);
    waitForSubmission(run);
    const SeenRequest posted = run.server.requestsTo("/answer").constFirst();
    QCOMPARE(posted.field("username"), QByteArray("\xD5\xC5\xC8\xFD"));
    QCOMPARE(posted.field("domain"), QByteArray("\xB2\xE2\xCA\xD4"));
    QCOMPARE(posted.field("password"), QByteArray("\xC3\xDC\xC2\xEB"));
}

void TestProviderPage::onlyTheFirstFormsExactNamesCount_data()
{
    QTest::addColumn<QByteArray>("forms");
    QTest::addColumn<Fields>("expected");

    // Each ok3 writes its letter when pressed: both are pressed, in element order, and the
    // submission carries every field filled before the first press.
    QTest::newRow("two ok3 elements, the first first")
        << QByteArray(R"(<form action="/answer" method="post"><input type="hidden" name="order">
            <input type="button" name="ok3" onclick="this.form.order.value += 'a'">
            <input type="submit" name="ok3" value="b" onclick="this.form.order.value += 'b'">
            <input name="username"><input name="url"></form>)")
        << Fields{{"order", "ab"}, {"username", "myhost"}, {"url", "http://192.0.2.7"}};
    QTest::newRow("names differing in case or by a blank")
        << QByteArray(R"(<form action="/answer" method="post"><input name="Username" value="kept">
            <input name="username " value="kept too"><input name="PASSWORD" value="as is">
            <input type="submit" name="ok3"></form>)")
        << Fields{{"Username", "kept"}, {"username ", "kept too"}, {"PASSWORD", "as is"}};
    QTest::newRow("fields in the second form")
        << QByteArray(R"(<form action="/answer" method="post"
                onsubmit="this.second.value = document.forms[1].username.value">
              <input type="hidden" name="second"><input type="submit" name="ok3"></form>
            <form><input name="username" value="untouched"></form>)")
        << Fields{{"second", "untouched"}};
    // A page's field named like a property of the form or the document hides nothing.
    QTest::newRow("fields named elements and length")
        << QByteArray(R"(<form name="forms" action="/answer" method="post"><input name="elements" value="e">
            <input name="length" value="l"><input name="username"><input type="submit" name="ok3"></form>)")
        << Fields{{"elements", "e"}, {"length", "l"}, {"username", "myhost"}};
}

void TestProviderPage::onlyTheFirstFormsExactNamesCount()
{
    QFETCH(QByteArray, forms);
    QFETCH(Fields, expected);
    MainWindowRun run;
    startOn(run, forms);
    fillIn(run, QStringLiteral("myhost"), QStringLiteral(".dyn.example.net"), QStringLiteral("pw"));
    confirm(run);
    waitForSubmission(run);
    const SeenRequest posted = run.server.requestsTo("/answer").constFirst();
    for (auto field = expected.cbegin(); field != expected.cend(); ++field)
        QCOMPARE(posted.field(field.key()), field.value());
    QTRY_COMPARE(setting(run, "username"), QStringLiteral("myhost"));
}

void TestProviderPage::pageFaultsStopTheConfirm_data()
{
    QTest::addColumn<QByteArray>("forms");
    QTest::addColumn<QString>("message");

    QTest::newRow("page without a form")
        << QByteArray("<p>maintenance</p><input name=\"username\"><input type=\"submit\" name=\"ok3\">")
        << QStringLiteral("提供商的页面上没有表单，没有提交。设置未保存。");
    // A file field takes no text: the fill pass stops there and nothing is pressed.
    QTest::newRow("element refusing a value")
        << QByteArray(R"(<form action="/answer" method="post"><input type="submit" name="ok3">
            <input name="username"><input type="file" name="url"></form>)")
        << QStringLiteral("页面表单的第 3 个元素“url”不接受填入的内容，没有提交。设置未保存。");
    QTest::newRow("list without the domain type")
        << QByteArray(R"(<form action="/answer" method="post"><select name="domain"><option>.other.example</option></select>
            <input type="submit" name="ok3"></form>)")
        << QStringLiteral("页面表单的第 1 个元素“domain”不接受填入的内容，没有提交。设置未保存。");
    QTest::newRow("disabled submit element")
        << QByteArray(R"(<form action="/answer" method="post"><input name="username">
            <input type="submit" name="ok3" disabled></form>)")
        << QStringLiteral("页面表单的第 2 个元素“ok3”按不下去，没有提交。设置未保存。");
    QTest::newRow("no submit element")
        << QByteArray(R"(<form action="/answer" method="post"><input name="username"><input type="submit" name="ok"></form>)")
        << QStringLiteral("页面的表单里没有提交按钮“ok3”，没有提交。设置未保存。");
}

void TestProviderPage::pageFaultsStopTheConfirm()
{
    QFETCH(QByteArray, forms);
    QFETCH(QString, message);
    MainWindowRun run;
    startOn(run, forms);
    fillIn(run, QStringLiteral("myhost"), QStringLiteral(".dyn.example.net"), QStringLiteral("pw"));
    confirm(run);
    QTRY_COMPARE_WITH_TIMEOUT(run.messages.seen().size(), 1, 20000);
    QCOMPARE(run.messages.seen().constFirst().text, message);
    QCOMPARE(run.messages.seen().constFirst().title, QStringLiteral("Ostrand"));
    // The program goes on as before: nothing sent, nothing saved, both buttons usable.
    QTest::qWait(300);
    QCOMPARE(run.server.requestsTo("/answer").size(), 0);
    QVERIFY(!QFile::exists(run.settingsPath()));
    QVERIFY(run.button("Command1")->isEnabled());
    QVERIFY(run.button("Command3")->isEnabled());
}

void TestProviderPage::secondPressWhileRunningSubmitsNothing()
{
    MainWindowRun run;
    // The page counts the presses of its submit element and sends the count a moment later,
    // as pages do that check their fields first.
    startOn(run, R"(<form action="/answer" method="post"><input name="username">
        <input type="hidden" name="presses" value="0">
        <input type="button" name="ok3" onclick="this.form.presses.value++;
            var form = this.form; setTimeout(function () { form.submit(); }, 200);"></form>)");
    fillIn(run, QStringLiteral("myhost"), QStringLiteral(".dyn.example.net"), QStringLiteral("pw"));
    // The second press comes before the page has answered the first.
    confirm(run);
    confirm(run);
    waitForSubmission(run);
    QCOMPARE(run.server.requestsTo("/answer").constFirst().field("presses"), QByteArray("1"));
}

void TestProviderPage::failedSaveIsReportedAfterSubmitting()
{
    MainWindowRun run;
    // The settings file's folder is a plain file: no write can succeed.
    QFile blocker(run.dir.filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unwritable = run.dir.filePath(QStringLiteral("blocked/sys.dll"));
    run.server.serve("/modify-new.htm", providerPage(standardForm));
    run.server.serve("/answer", providerPage("<p>done</p>"));
    run.window = new frmmain({run.server.host(), [&] { return unwritable; }});
    QVERIFY(run.window->load(run.layer));
    QTRY_VERIFY_WITH_TIMEOUT(run.button("Command1")->isEnabled(), 20000);

    fillIn(run, QStringLiteral("myhost"), QStringLiteral(".dyn.example.net"), QStringLiteral("pw"));
    confirm(run);
    QTRY_COMPARE_WITH_TIMEOUT(run.messages.seen().size(), 1, 20000);
    QCOMPARE(run.messages.seen().constFirst().text,
             QStringLiteral("已经提交，但设置没能保存到 %1。").arg(QDir::toNativeSeparators(unwritable)));
    QCOMPARE(run.server.requestsTo("/answer").size(), 1);
}

QTEST_MAIN(TestProviderPage)
#include "test_providerpage.moc"
