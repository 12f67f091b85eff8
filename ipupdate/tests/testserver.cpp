#include "testserver.h"

#include <QTcpSocket>

namespace ipupdate::testing {

QByteArray SeenRequest::field(const QByteArray &name) const
{
    for (const QByteArray &pair : body.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        const QByteArray key = QByteArray(equals < 0 ? pair : pair.left(equals)).replace('+', ' ');
        if (QByteArray::fromPercentEncoding(key) != name)
            continue;
        QByteArray value = equals < 0 ? QByteArray("") : pair.mid(equals + 1);
        value.replace('+', ' ');
        return QByteArray::fromPercentEncoding(value);
    }
    return {};
}

QList<QByteArray> SeenRequest::fieldNames() const
{
    QList<QByteArray> names;
    for (const QByteArray &pair : body.split('&')) {
        if (!pair.isEmpty())
            names << QByteArray::fromPercentEncoding(QByteArray(pair.split('=').constFirst()).replace('+', ' '));
    }
    return names;
}

TestServer::TestServer()
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

TestServer::~TestServer()
{
    // The open connections end with the server, after this object's own members.
    for (QTcpSocket *socket : m_server.findChildren<QTcpSocket *>())
        socket->disconnect(this);
}

void TestServer::serve(const QByteArray &path, const QByteArray &body, int status,
                       const QByteArray &contentType)
{
    m_pages.insert(path, {status, contentType, body});
}

QString TestServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

QList<SeenRequest> TestServer::requestsTo(const QByteArray &path) const
{
    QList<SeenRequest> found;
    for (const SeenRequest &request : m_requests) {
        if (request.path == path)
            found << request;
    }
    return found;
}

void TestServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    // Several requests may come one after the other on a kept-alive connection.
    for (;;) {
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
        SeenRequest request;
        const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
        request.method = start.value(0);
        request.path = start.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (buffer.size() < headEnd + 4 + length)
            return;
        request.body = buffer.mid(headEnd + 4, length);
        buffer.remove(0, headEnd + 4 + length);
        m_requests << request;
        answer(socket, request);
    }
}

void TestServer::answer(QTcpSocket *socket, const SeenRequest &request)
{
    const QByteArray path = request.path.split('?').constFirst();
    const auto found = m_pages.constFind(path);
    const Page page = found != m_pages.cend() ? *found
                                               : Page{404, "text/html; charset=utf-8", "<html><body>not found</body></html>"};
    QByteArray response = "HTTP/1.1 " + QByteArray::number(page.status) + " Status\r\n";
    response += "Content-Type: " + page.contentType + "\r\n";
    response += "Content-Length: " + QByteArray::number(page.body.size()) + "\r\n";
    response += "Cache-Control: no-store\r\n\r\n";
    response += page.body;
    socket->write(response);
}

} // namespace ipupdate::testing
