#pragma once

#include "ipupdate/socketlayer.h"
#include "ipupdate/startupui.h"

#include <QStringList>

namespace ipupdate::testing {

// The main window's message box and address boxes, as the start-up steps see them.
class FakeStartupUi : public StartupUi {
public:
    QStringList messages;
    QString box3 = QStringLiteral("Text3");
    QString box4 = QStringLiteral("Text4");
    QStringList written3;

    void showMessage(const QString &text) override { messages.append(text); }
    QString text3() const override { return box3; }
    void setText3(const QString &text) override
    {
        box3 = text;
        written3.append(text);
    }
    void setText4(const QString &text) override { box4 = text; }
};

// A socket library that answers what each test sets.
class FakeSocketLayer : public SocketLayer {
public:
    int startResult = 0;
    WsaData offered{257, 257, 100, 0};
    quint16 requestedVersion = 0;

    int hostNameResult = 0;
    QByteArray hostName = "workstation";
    int lastError = 0;
    std::optional<HostEntry> host = HostEntry{};
    QByteArray askedName;

    int WSAStartup(quint16 version, WsaData &data) override
    {
        requestedVersion = version;
        data = offered;
        return startResult;
    }
    int gethostname(QByteArray &name) override
    {
        name = hostName;
        return hostNameResult;
    }
    int WSAGetLastError() override { return lastError; }
    std::optional<HostEntry> gethostbyname(const QByteArray &name) override
    {
        askedName = name;
        return host;
    }
};

} // namespace ipupdate::testing
