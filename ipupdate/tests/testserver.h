#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

namespace ipupdate::testing {

// One request as the server received it.
struct SeenRequest {
    QByteArray method;
    QByteArray path;
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    // The value of `name` in an application/x-www-form-urlencoded body, percent-decoded into
    // bytes (the page's own encoding: UTF-8 or GBK); null when the field was not sent.
    QByteArray field(const QByteArray &name) const;
    QList<QByteArray> fieldNames() const;
};

// A small HTTP/1.1 server on loopback: serves fixed pages by path and records every request
// with its body, so tests see exactly what a browser sent.
class TestServer : public QObject {
public:
    TestServer();
    ~TestServer() override;

    // Serves `body` at `path` with the given status and content type.
    void serve(const QByteArray &path, const QByteArray &body, int status = 200,
               const QByteArray &contentType = "text/html; charset=utf-8");

    // "127.0.0.1:<port>"
    QString host() const;
    const QList<SeenRequest> &requests() const { return m_requests; }
    QList<SeenRequest> requestsTo(const QByteArray &path) const;
    void clearRequests() { m_requests.clear(); }

private:
    struct Page {
        int status;
        QByteArray contentType;
        QByteArray body;
    };

    void readFrom(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const SeenRequest &request);

    QTcpServer m_server;
    QHash<QByteArray, Page> m_pages;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<SeenRequest> m_requests;
};

} // namespace ipupdate::testing
