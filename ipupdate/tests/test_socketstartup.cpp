#include "ipupdate/socketstartup.h"
#include "fakestartup.h"

#include <QtTest>

#include <limits>
#include <sys/resource.h>

using namespace ipupdate;
using namespace ipupdate::testing;

namespace {

// Sets the number of files this process may open for as long as it lives.
class OpenFileLimit {
public:
    explicit OpenFileLimit(rlim_t files)
    {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit changed = saved_;
        changed.rlim_cur = files;
        active_ = ::setrlimit(RLIMIT_NOFILE, &changed) == 0;
    }
    ~OpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
    bool active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
};

} // namespace

class TestSocketStartup : public QObject {
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void versionBytes_data();
    void versionBytes();
    void socketCount_data();
    void socketCount();
    void systemLayer();
};

void TestSocketStartup::checks_data()
{
    QTest::addColumn<int>("startResult");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("sockets");
    QTest::addColumn<QString>("message"); // empty: the checks pass

    QTest::newRow("1.1 with sockets") << 0 << 0x0101 << 1 << "";
    QTest::newRow("2.0") << 0 << 0x0002 << 1 << "";
    QTest::newRow("2.2, many sockets") << 0 << 0x0202 << 32767 << "";
    QTest::newRow("1.0") << 0 << 0x0001 << 100
                         << "Windows Sockets version 1.0 is not supported by winsock.dll ";
    QTest::newRow("0.0") << 0 << 0x0000 << 100
                         << "Windows Sockets version 0.0 is not supported by winsock.dll ";
    QTest::newRow("0.1") << 0 << 0x0100 << 100
                         << "Windows Sockets version 0.1 is not supported by winsock.dll ";
    QTest::newRow("no sockets") << 0 << 0x0101 << 0
                                << "This application requires a minimum of 1 supported sockets.";
    QTest::newRow("negative socket count") << 0 << 0x0101 << -1
                                           << "This application requires a minimum of 1 supported sockets.";
    // Only the first failing check speaks, even when the record would fail the others too.
    QTest::newRow("start-up fails") << 10091 << 0x0000 << 0 << "Winsock.dll is not responding.";
    QTest::newRow("version and sockets both bad")
        << 0 << 0x0001 << 0 << "Windows Sockets version 1.0 is not supported by winsock.dll ";
}

void TestSocketStartup::checks()
{
    QFETCH(int, startResult);
    QFETCH(int, version);
    QFETCH(int, sockets);
    QFETCH(QString, message);

    FakeSocketLayer layer;
    layer.startResult = startResult;
    layer.offered.wVersion = qint16(version);
    layer.offered.iMaxSockets = qint16(sockets);
    FakeStartupUi ui;

    QCOMPARE(SocketsInitialize(layer, ui), message.isEmpty());
    QCOMPARE(layer.requestedVersion, quint16(257));
    QCOMPARE(ui.messages, message.isEmpty() ? QStringList() : QStringList{message});
}

void TestSocketStartup::versionBytes_data()
{
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");

    QTest::newRow("0101") << 0x0101 << 1 << 1;
    QTest::newRow("0202") << 0x0202 << 2 << 2;
    QTest::newRow("7FFF") << 0x7FFF << 255 << 127;
    QTest::newRow("8100") << 0x8100 << 0 << 129;
    QTest::newRow("8101") << 0x8101 << 1 << 130;
    QTest::newRow("FFFF") << 0xFFFF << 255 << 0;
}

void TestSocketStartup::versionBytes()
{
    QFETCH(int, word);
    QFETCH(int, lo);
    QFETCH(int, hi);

    QCOMPARE(lobyte(qint16(quint16(word))), lo);
    QCOMPARE(hibyte(qint16(quint16(word))), hi);
}

void TestSocketStartup::socketCount_data()
{
    QTest::addColumn<quint64>("openFiles");
    QTest::addColumn<int>("sockets");

    QTest::newRow("none") << quint64(0) << 0;
    QTest::newRow("one") << quint64(1) << 1;
    QTest::newRow("largest count") << quint64(32767) << 32767;
    // Merely dropping the high bits would turn these into no socket or a negative count.
    QTest::newRow("65536") << quint64(65536) << 32767;
    QTest::newRow("32768") << quint64(32768) << 32767;
    QTest::newRow("unlimited") << std::numeric_limits<quint64>::max() << 32767;
}

void TestSocketStartup::socketCount()
{
    QFETCH(quint64, openFiles);
    QFETCH(int, sockets);

    QCOMPARE(socketCountFor(openFiles), qint16(sockets));
}

void TestSocketStartup::systemLayer()
{
    {
        WsaData data;
        QCOMPARE(systemSocketLayer().WSAStartup(257, data), 0);
        QCOMPARE(data.wVersion, qint16(257));
        QVERIFY(data.iMaxSockets >= 1);
        FakeStartupUi ui;
        QVERIFY(SocketsInitialize(systemSocketLayer(), ui));
        QCOMPARE(ui.messages, QStringList());
    }

    // A process that may open no file may open no socket either.
    FakeStartupUi ui;
    bool passed = true;
    {
        OpenFileLimit none(0);
        if (!none.active())
            QSKIP("the open-file limit cannot be lowered here");
        passed = SocketsInitialize(systemSocketLayer(), ui);
    }
    QVERIFY(!passed);
    QCOMPARE(ui.messages, QStringList{"This application requires a minimum of 1 supported sockets."});
}

QTEST_GUILESS_MAIN(TestSocketStartup)
#include "test_socketstartup.moc"
