#include "ipupdate/addressdiscovery.h"
#include "fakestartup.h"

#include <QRegularExpression>
#include <QtTest>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

using namespace ipupdate;
using namespace ipupdate::testing;

namespace {

QByteArray address(const QString &dotted)
{
    QByteArray bytes;
    for (const QString &part : dotted.split(u'.'))
        bytes.append(char(part.toInt()));
    return bytes;
}

QList<QByteArray> addresses(const QStringList &dotted)
{
    QList<QByteArray> list;
    for (const QString &text : dotted)
        list.append(address(text));
    return list;
}

// Whether an interface other than loopback is up with an IPv4 address, asked of the system
// apart from the layer under test.
bool nonLoopbackInterfaceUp()
{
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return false;
    bool found = false;
    for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        if (entry->ifa_addr && entry->ifa_addr->sa_family == AF_INET && (entry->ifa_flags & IFF_UP)
            && !(entry->ifa_flags & IFF_LOOPBACK)) {
            const auto *in = reinterpret_cast<const sockaddr_in *>(entry->ifa_addr);
            found = found || (ntohl(in->sin_addr.s_addr) >> 24) != 127;
        }
    }
    ::freeifaddrs(list);
    return found;
}

} // namespace

class TestAddressDiscovery : public QObject {
    Q_OBJECT

private slots:
    void walk_data();
    void walk();
    void failures_data();
    void failures();
    void hostNameAsTheBufferHoldsIt();
    void ownAddresses_data();
    void ownAddresses();
    void thisMachine();
};

void TestAddressDiscovery::walk_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("visited");

    QTest::newRow("one address that passes") << QStringList{"192.0.2.7"} << QStringList{"192.0.2.7"};
    QTest::newRow("stops at the first that passes")
        << QStringList{"10.0.0.2", "192.0.2.7", "203.0.113.5"} << QStringList{"10.0.0.2", "192.0.2.7"};
    QTest::newRow("none passes: the last stays")
        << QStringList{"10.0.0.2", "99.1.1.1"} << QStringList{"10.0.0.2", "99.1.1.1"};
    QTest::newRow("100 does not pass, 101 does")
        << QStringList{"100.64.0.1", "101.0.0.1", "102.0.0.1"} << QStringList{"100.64.0.1", "101.0.0.1"};
    QTest::newRow("one-digit first byte reads as 9.1") << QStringList{"9.1.2.3"} << QStringList{"9.1.2.3"};
    QTest::newRow("255 passes") << QStringList{"1.2.3.4", "255.0.0.0", "200.1.1.1"}
                                << QStringList{"1.2.3.4", "255.0.0.0"};
    QTest::newRow("empty list leaves the boxes") << QStringList{} << QStringList{};
}

void TestAddressDiscovery::walk()
{
    QFETCH(QStringList, list);
    QFETCH(QStringList, visited);

    FakeSocketLayer layer;
    layer.host = HostEntry{4, addresses(list)};
    FakeStartupUi ui;
    DiscoverLocalAddress(layer, ui);

    QCOMPARE(ui.messages, QStringList());
    QCOMPARE(ui.written3, visited);
    const QString shown = visited.isEmpty() ? QStringLiteral("Text3") : visited.last();
    QCOMPARE(ui.box3, shown);
    QCOMPARE(ui.box4, visited.isEmpty() ? QStringLiteral("Text4") : QStringLiteral("http://") + shown);
}

void TestAddressDiscovery::failures_data()
{
    QTest::addColumn<int>("hostNameResult");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("recordFound");
    QTest::addColumn<QString>("message");

    QTest::newRow("host name fails") << SOCKET_ERROR << 10093 << true << "Windows Sockets error  10093";
    QTest::newRow("host name fails with 0") << SOCKET_ERROR << 0 << true << "Windows Sockets error  0";
    QTest::newRow("host name fails with a negative code")
        << SOCKET_ERROR << -5 << true << "Windows Sockets error -5";
    QTest::newRow("no host record") << 0 << 0 << false << "Winsock.dll is not responding.";
}

void TestAddressDiscovery::failures()
{
    QFETCH(int, hostNameResult);
    QFETCH(int, code);
    QFETCH(bool, recordFound);
    QFETCH(QString, message);

    FakeSocketLayer layer;
    layer.hostNameResult = hostNameResult;
    layer.lastError = code;
    layer.host = recordFound ? std::optional(HostEntry{4, addresses({"192.0.2.7"})}) : std::nullopt;
    FakeStartupUi ui;
    DiscoverLocalAddress(layer, ui);

    QCOMPARE(ui.messages, QStringList{message});
    QCOMPARE(ui.box3, QStringLiteral("Text3"));
    QCOMPARE(ui.box4, QStringLiteral("Text4"));
}

void TestAddressDiscovery::hostNameAsTheBufferHoldsIt()
{
    FakeSocketLayer layer;
    layer.hostName = QByteArray("  workstation\0stale bytes  ", 27);
    FakeStartupUi ui;
    DiscoverLocalAddress(layer, ui);
    QCOMPARE(layer.askedName, QByteArray("workstation"));
}

void TestAddressDiscovery::ownAddresses_data()
{
    QTest::addColumn<QStringList>("interfaces");
    QTest::addColumn<QStringList>("resolved");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("interfaces in their order")
        << QStringList{"10.0.0.2", "192.168.1.5"} << QStringList{"127.0.1.1"}
        << QStringList{"10.0.0.2", "192.168.1.5"};
    QTest::newRow("resolved names when no interface is up")
        << QStringList{} << QStringList{"127.0.1.1", "203.0.113.9"} << QStringList{"203.0.113.9"};
    QTest::newRow("loopback only: nothing") << QStringList{} << QStringList{"127.0.1.1", "127.0.0.1"}
                                            << QStringList{};
}

void TestAddressDiscovery::ownAddresses()
{
    QFETCH(QStringList, interfaces);
    QFETCH(QStringList, resolved);
    QFETCH(QStringList, listed);

    QCOMPARE(ownHostAddresses(addresses(interfaces), addresses(resolved)), addresses(listed));
}

void TestAddressDiscovery::thisMachine()
{
    FakeStartupUi ui;
    DiscoverLocalAddress(systemSocketLayer(), ui);

    if (nonLoopbackInterfaceUp()) {
        QCOMPARE(ui.messages, QStringList());
        QVERIFY2(QRegularExpression(QStringLiteral("^(\\d{1,3})(\\.\\d{1,3}){3}$")).match(ui.box3).hasMatch(),
                 qPrintable(ui.box3));
        for (const QString &part : ui.box3.split(u'.'))
            QVERIFY(part.toInt() <= 255 && (part == u"0" || !part.startsWith(u'0')));
        QCOMPARE(ui.box4, QStringLiteral("http://") + ui.box3);
    }
    QVERIFY2(!ui.box3.startsWith(QStringLiteral("127.")), qPrintable(ui.box3));
}

QTEST_GUILESS_MAIN(TestAddressDiscovery)
#include "test_addressdiscovery.moc"
