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

// The layer of this machine.
SocketLayer &systemSocketLayer();

} // namespace ipupdate
