#include "socketlayer.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ipupdate {
namespace {

constexpr int hostNameLength = 256;
constexpr quint16 version11 = 0x0101;
// What Windows answers for a name it cannot find.
constexpr int hostNotFound = 11001;

bool isLoopback(const QByteArray &address) { return !address.isEmpty() && uchar(address[0]) == 127; }

qint16 socketLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return socketCountFor(std::numeric_limits<quint64>::max());
    return socketCountFor(limit.rlim_cur);
}

QByteArray ipv4Bytes(const sockaddr *address)
{
    const auto *in = reinterpret_cast<const sockaddr_in *>(address);
    return QByteArray(reinterpret_cast<const char *>(&in->sin_addr.s_addr), 4);
}

QList<QByteArray> upInterfaceAddresses()
{
    QList<QByteArray> addresses;
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return addresses;
    for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        if (!(entry->ifa_flags & IFF_UP) || (entry->ifa_flags & IFF_LOOPBACK))
            continue;
        addresses.append(ipv4Bytes(entry->ifa_addr));
    }
    ::freeifaddrs(list);
    return addresses;
}

std::optional<QList<QByteArray>> resolve(const QByteArray &name)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(name.constData(), nullptr, &hints, &found) != 0)
        return std::nullopt;
    QList<QByteArray> addresses;
    for (const addrinfo *entry = found; entry; entry = entry->ai_next) {
        const QByteArray address = ipv4Bytes(entry->ai_addr);
        if (!addresses.contains(address))
            addresses.append(address);
    }
    ::freeaddrinfo(found);
    return addresses;
}

std::optional<QByteArray> ownHostName()
{
    char buffer[hostNameLength + 1] = {};
    if (::gethostname(buffer, hostNameLength) != 0)
        return std::nullopt;
    return QByteArray(buffer, qsizetype(::strnlen(buffer, hostNameLength)));
}

class SystemSocketLayer final : public SocketLayer {
public:
    int WSAStartup(quint16, WsaData &data) override
    {
        // There is no library to start; the answer is that of a Windows Sockets 1.1 library.
        data.wVersion = qint16(version11);
        data.wHighVersion = qint16(version11);
        data.iMaxSockets = socketLimit();
        data.iMaxUdpDg = 0;
        return 0;
    }

    int gethostname(QByteArray &name) override
    {
        const auto own = ownHostName();
        if (!own) {
            lastError_ = errno;
            return SOCKET_ERROR;
        }
        name = *own;
        return 0;
    }

    int WSAGetLastError() override { return lastError_; }

    std::optional<HostEntry> gethostbyname(const QByteArray &name) override
    {
        const auto own = ownHostName();
        const bool isOwn = own && own->compare(name, Qt::CaseInsensitive) == 0;
        const QList<QByteArray> interfaces = isOwn ? upInterfaceAddresses() : QList<QByteArray>();
        std::optional<QList<QByteArray>> resolved;
        if (interfaces.isEmpty()) {
            resolved = resolve(name);
            if (!resolved) {
                lastError_ = hostNotFound;
                return std::nullopt;
            }
        }
        HostEntry entry;
        entry.addressLength = 4;
        entry.addresses = ownHostAddresses(interfaces, resolved.value_or(QList<QByteArray>()));
        return entry;
    }

private:
    int lastError_ = 0;
};

} // namespace

qint16 socketCountFor(quint64 openFiles)
{
    return qint16(std::min<quint64>(openFiles, std::numeric_limits<qint16>::max()));
}

QList<QByteArray> ownHostAddresses(const QList<QByteArray> &upInterfaces, const QList<QByteArray> &resolved)
{
    QList<QByteArray> addresses = upInterfaces.isEmpty() ? resolved : upInterfaces;
    addresses.removeIf(isLoopback);
    return addresses;
}

SocketLayer &systemSocketLayer()
{
    static SystemSocketLayer layer;
    return layer;
}

} // namespace ipupdate
