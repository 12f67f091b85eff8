#include "socketstartup.h"

namespace ipupdate {
namespace {

constexpr quint16 requestedVersion = 257; // 1.1: major in the low byte, minor in the high byte
constexpr qint32 requiredSockets = 1;

} // namespace

qint32 lobyte(qint16 wParam)
{
    return wParam & 0xFF;
}

qint32 hibyte(qint16 wParam)
{
    // Division truncates toward zero, so a word with its top bit set and a non-zero low byte
    // gives one more than its high byte; the checks are written against this reading.
    return (wParam / 256) & 0xFF;
}

bool SocketsInitialize(SocketLayer &layer, StartupUi &ui)
{
    WsaData data;
    if (layer.WSAStartup(requestedVersion, data) != 0) {
        ui.showMessage(QStringLiteral("Winsock.dll is not responding."));
        return false;
    }

    const qint32 lo = lobyte(data.wVersion);
    const qint32 hi = hibyte(data.wVersion);
    if (lo < 1 || (lo == 1 && hi < 1)) {
        ui.showMessage(QStringLiteral("Windows Sockets version ") + QString::number(lo) + u'.'
                       + QString::number(hi) + QStringLiteral(" is not supported by winsock.dll "));
        return false;
    }

    if (data.iMaxSockets < requiredSockets) {
        ui.showMessage(QStringLiteral("This application requires a minimum of ")
                       + QString::number(requiredSockets) + QStringLiteral(" supported sockets."));
        return false;
    }
    return true;
}

} // namespace ipupdate
