#include "layoutcheck.h"

#include "ipupdate/frmabout.h"
#include "ipupdate/frmmain.h"
#include "ipupdate/socketlayer.h"

#include "common/application.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace layout;

namespace {

constexpr const char *lightGrey = "&H00E0E0E0&";
constexpr const char *blue = "&H00FF0000&";

// A socket library that starts and names the one address 192.0.2.7, so that the window starts
// as on a machine with a network, without asking this one.
class OneAddressSockets : public ipupdate::SocketLayer {
public:
    int WSAStartup(quint16, ipupdate::WsaData &data) override
    {
        data = {257, 257, 100, 0};
        return 0;
    }
    int gethostname(QByteArray &name) override
    {
        name = "workstation";
        return 0;
    }
    int WSAGetLastError() override { return 0; }
    std::optional<ipupdate::HostEntry> gethostbyname(const QByteArray &) override
    {
        return ipupdate::HostEntry{4, {QByteArray("\xC0\x00\x02\x07", 4)}};
    }
};

ControlLayout plain(ControlLayout row)
{
    row.pointSize = kDefaultSize;
    return row;
}

// The account fields: 宋体 12.
ControlLayout field(const char *name, int top, int height)
{
    return {.name = name, .left = 720, .top = top, .width = 3615, .height = height, .pointSize = 12,
            .family = kSongTi};
}

ControlLayout caption(const char *name, int top)
{
    return plain({.name = name, .left = 120, .top = top, .sizing = Sizing::ToText, .opaque = Is::No});
}

ControlLayout button(const char *name, int left)
{
    return plain({.name = name, .left = left, .top = 2040, .width = 1335, .height = 375, .backColor = lightGrey});
}

} // namespace

class TestLayoutOstrand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windows_data();
    void windows();
    void controls_data();
    void controls();

private:
    QWidget *window(const QString &name) const;

    QTemporaryDir m_settings;
    OneAddressSockets m_sockets;
    ipupdate::frmmain *m_main = nullptr;
    std::unique_ptr<ipupdate::frmabout> m_about;
};

void TestLayoutOstrand::initTestCase()
{
    common::initApplication(QStringLiteral("Ostrand"), {});
    QVERIFY(m_settings.isValid());
    // Nothing listens on the discard port of loopback: the unseen page fails to load at once.
    m_main = new ipupdate::frmmain(
        {QStringLiteral("127.0.0.1:9"), [this] { return m_settings.filePath(QStringLiteral("sys.dll")); }});
    QVERIFY(m_main->load(m_sockets));
    m_about = std::make_unique<ipupdate::frmabout>();
}

void TestLayoutOstrand::cleanupTestCase()
{
    // The unseen page must end before the browser engine does.
    delete m_main;
}

QWidget *TestLayoutOstrand::window(const QString &name) const
{
    if (name == QLatin1String("frmmain"))
        return m_main;
    return m_about.get();
}

void TestLayoutOstrand::windows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<WindowLayout>("expected");

    QTest::newRow("frmmain") << QStringLiteral("frmmain")
                             << WindowLayout{.caption = "Ostrand", .clientWidth = 4680, .clientHeight = 2490,
                                             .fixedBorder = true, .backColor = lightGrey,
                                             .tabOrder = {"Text1", "Text2", "Combo1", "Command3", "Command1",
                                                          "Command2", "Text3", "Text4"},
                                             .firstFocus = "Text1"};
    QTest::newRow("frmabout") << QStringLiteral("frmabout")
                              << WindowLayout{.caption = "关于本软件", .clientWidth = 4305, .clientHeight = 1545,
                                              .fixedBorder = true, .backColor = "&H00FFFFFF&"};
}

void TestLayoutOstrand::windows()
{
    QFETCH(QString, name);
    QFETCH(WindowLayout, expected);
    checkWindow(window(name), expected);
}

void TestLayoutOstrand::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<ControlLayout>("expected");

    const ControlLayout main[] = {
        plain({.name = "Frame1", .left = 120, .top = 120, .width = 4455, .height = 1815, .backColor = lightGrey}),
        caption("Label1", 360),
        field("Text1", 240, 375),
        caption("Label2", 840),
        field("Text2", 720, 375),
        caption("Label3", 1320),
        field("Combo1", 1200, 360),
        button("Command1", 120),
        button("Command2", 1680),
        button("Command3", 3240),
        // Below the client area: never seen, yet ordinary boxes.
        plain({.name = "Text3", .left = 720, .top = 6120, .width = 3255, .height = 375}),
        plain({.name = "Text4", .left = 720, .top = 6720, .width = 3495, .height = 495}),
    };
    for (const ControlLayout &row : main)
        QTest::addRow("frmmain/%s", row.name) << QStringLiteral("frmmain") << row;

    const ControlLayout about[] = {
        {.name = "Label1", .left = 120, .top = 240, .width = 4020, .height = 300, .pointSize = 10.5,
         .family = kSongTi, .opaque = Is::No, .alignment = Qt::AlignHCenter},
        plain({.name = "Label2", .left = 1440, .top = 720, .width = 1575, .height = 255,
               .foreColor = "&H00000000&", .opaque = Is::No, .alignment = Qt::AlignHCenter}),
        plain({.name = "Label3", .left = 960, .top = 1200, .width = 2655, .height = 255, .opaque = Is::No,
               .alignment = Qt::AlignHCenter}),
        {.name = "Line1", .left = 1560, .top = 960, .width = 2880, .height = 960, .sizing = Sizing::Line,
         .foreColor = blue, .visible = false},
        {.name = "Line2", .left = 960, .top = 1440, .width = 3600, .height = 1440, .sizing = Sizing::Line,
         .foreColor = blue, .visible = false},
    };
    for (const ControlLayout &row : about)
        QTest::addRow("frmabout/%s", row.name) << QStringLiteral("frmabout") << row;
}

void TestLayoutOstrand::controls()
{
    QFETCH(QString, window);
    QFETCH(ControlLayout, expected);
    checkControl(this->window(window), expected);
}

QTEST_MAIN(TestLayoutOstrand)
#include "test_layout_ostrand.moc"
