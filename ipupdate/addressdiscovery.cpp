#include "addressdiscovery.h"

namespace ipupdate {
namespace {

constexpr qsizetype hostNameLength = 256;

// An integer as the messages write it: a blank in front when it is not negative.
QString signPlaceText(int value)
{
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

// The host name as it stands in the 256-place buffer: up to its NUL, without surrounding blanks.
QByteArray hostNameText(const QByteArray &buffer)
{
    QByteArray name = buffer.left(hostNameLength);
    const qsizetype nul = name.indexOf('\0');
    if (nul >= 0)
        name.truncate(nul);
    qsizetype from = 0;
    qsizetype to = name.size();
    while (from < to && name[from] == ' ')
        ++from;
    while (to > from && name[to - 1] == ' ')
        --to;
    return name.sliced(from, to - from);
}

QString dottedText(const QByteArray &address, qint16 length)
{
    QStringList parts;
    for (qsizetype i = 0; i < qMin<qsizetype>(length, address.size()); ++i)
        parts.append(QString::number(uchar(address[i])));
    return parts.join(u'.');
}

// The first three characters read as a decimal number (digits, then tenths after a point),
// compared with 100: an address passes exactly when its first byte is 101 to 255.
bool passesAddressTest(const QString &dotted)
{
    const QString head = dotted.left(3);
    double number = 0;
    double scale = 0;
    for (const QChar c : head) {
        if (c == u'.' && scale == 0) {
            scale = 0.1;
        } else if (c.isDigit()) {
            const int digit = c.digitValue();
            if (scale == 0) {
                number = number * 10 + digit;
            } else {
                number += digit * scale;
                scale /= 10;
            }
        } else {
            break;
        }
    }
    return number > 100;
}

} // namespace

void DiscoverLocalAddress(SocketLayer &layer, StartupUi &ui)
{
    QByteArray buffer;
    if (layer.gethostname(buffer) == SOCKET_ERROR) {
        ui.showMessage(QStringLiteral("Windows Sockets error ") + signPlaceText(layer.WSAGetLastError()));
        return;
    }

    const auto host = layer.gethostbyname(hostNameText(buffer));
    if (!host) {
        ui.showMessage(QStringLiteral("Winsock.dll is not responding."));
        return;
    }

    // An empty list leaves both boxes as they were: there is no address to show.
    for (const QByteArray &address : host->addresses) {
        const QString dotted = dottedText(address, host->addressLength);
        ui.setText3(dotted);
        ui.setText4(QStringLiteral("http://") + ui.text3());
        if (passesAddressTest(dotted))
            return;
    }
}

} // namespace ipupdate
