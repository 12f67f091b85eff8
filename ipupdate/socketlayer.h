#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace ipupdate {

// What the socket library's start-up call reports; the checks read wVersion and iMaxSockets.
struct WsaData {
    qint16 wVersion = 0;      // offered version: major in the low byte, minor in the high byte
    qint16 wHighVersion = 0;
    qint16 iMaxSockets = 0;
    qint16 iMaxUdpDg = 0;
};

// A host record: the length of each address and the addresses in the platform's order.
struct HostEntry {
    qint16 addressLength = 4;
    QList<QByteArray> addresses;
};

inline constexpr int SOCKET_ERROR = -1;

// The few calls of the socket library that the start-up checks and the address discovery make.
// On Linux there is no library to start; the system layer answers as the Windows one would.
class SocketLayer {
public:
    virtual ~SocketLayer() = default;
    // 0 on success, an error code otherwise.
    virtual int WSAStartup(quint16 requestedVersion, WsaData &data) = 0;
    // 0 with the host name in `name`, or SOCKET_ERROR.
    virtual int gethostname(QByteArray &name) = 0;
    virtual int WSAGetLastError() = 0;
    // The host record for `name`, or no record (the null pointer of the platform).
    virtual std::optional<HostEntry> gethostbyname(const QByteArray &name) = 0;
};

// The layer of this machine. It reports version 1.1 and as many sockets as the process may open
// files (at most 32767). Its host record for this machine's own name lists the IPv4 addresses
// of the interfaces that are up, loopback excluded, in interface order, as Windows does; only
// when there are none, the addresses the name resolves to. Error codes are the system's errno.
SocketLayer &systemSocketLayer();

// The number of sockets that a limit of `openFiles` open files allows, as the 16-bit count of
// the start-up record: at most 32767, the largest count it holds.
qint16 socketCountFor(quint64 openFiles);

// The address list of this machine's host record, from the addresses of its interfaces that
// are up (loopback excluded) and those its name resolves to. A loopback address would pass
// the address test and be registered with the provider, so it is never listed: a machine
// reachable only through loopback gets an empty list.
QList<QByteArray> ownHostAddresses(const QList<QByteArray> &upInterfaces,
                                   const QList<QByteArray> &resolved);

} // namespace ipupdate
