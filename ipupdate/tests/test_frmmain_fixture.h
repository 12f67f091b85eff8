#pragma once

#include "fakestartup.h"
#include "testserver.h"

#include "common/testing/messagerecorder.h"
#include "ipupdate/frmmain.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

namespace ipupdate::testing {

// The provider's record-change page as a test serves it: `form` inside a plain page.
inline QByteArray providerPage(const QByteArray &forms)
{
    return "<!DOCTYPE html><html><head><title>modify</title></head><body>" + forms + "</body></html>";
}

// The main window started against pages on a loopback server, its settings file in a
// temporary folder and a socket library that finds the one address 192.0.2.7.
struct MainWindowRun {
    TestServer server;
    QTemporaryDir dir;
    FakeSocketLayer layer;
    QPointer<frmmain> window;
    // Every message box is answered and recorded, so no test hangs on one.
    common::testing::MessageRecorder messages;

    MainWindowRun() { layer.host = HostEntry{4, {QByteArray("\xC0\x00\x02\x07", 4)}}; }
    ~MainWindowRun() { delete window; }

    QString settingsPath() const { return dir.filePath(QStringLiteral("sys.dll")); }

    // Builds the window and runs its start-up sequence; the page loads in the background.
    bool load()
    {
        window = new frmmain({server.host(), [this] { return settingsPath(); }});
        return window->load(layer);
    }

    template <typename Control>
    Control *control(const char *name) const
    {
        return window->findChild<Control *>(QLatin1String(name));
    }
    QPushButton *button(const char *name) const { return control<QPushButton>(name); }
    QLineEdit *box(const char *name) const { return control<QLineEdit>(name); }
    QComboBox *combo() const { return control<QComboBox>("Combo1"); }
};

// Records the states of "确定" and "退出" at every change, as "确定 退出" with + for enabled
// and - for disabled, so a test sees states that last only a moment.
class ButtonStates : public QObject {
public:
    QStringList seen;

    ButtonStates(QPushButton *confirm, QPushButton *exit) : m_confirm(confirm), m_exit(exit)
    {
        confirm->installEventFilter(this);
        exit->installEventFilter(this);
    }

    QString now() const
    {
        return QString(m_confirm->isEnabled() ? u'+' : u'-') + QLatin1Char(' ')
               + QString(m_exit->isEnabled() ? u'+' : u'-');
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange && (seen.isEmpty() || seen.constLast() != now()))
            seen << now();
        return false;
    }

private:
    QPushButton *m_confirm;
    QPushButton *m_exit;
};

} // namespace ipupdate::testing
