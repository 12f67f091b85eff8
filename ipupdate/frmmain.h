#pragma once

#include "ui_frmmain.h"

#include "common/eventguard.h"
#include "ipupdate/startupui.h"

#include <QWidget>

#include <functional>

namespace ipupdate {

class ProviderPage;
class SocketLayer;
class SubmitOutcome;

// Where the main window finds the provider and its settings file.
struct MainWindowPlaces {
    // Host of the provider's record-change page, optionally with ":port".
    QString providerHost;
    // The settings file, asked anew before every read and write.
    std::function<QString()> settingsPath;

    // The provider this program was built for and sys.dll beside the program.
    static MainWindowPlaces program();
};

// The updater's main window: the account settings, the unseen provider page and the buttons.
class frmmain : public QWidget, public StartupUi, private Ui::frmmain {
    Q_OBJECT

public:
    explicit frmmain(MainWindowPlaces places = MainWindowPlaces::program());
    ~frmmain() override;

    // The start-up sequence, run before the window is first shown. False when the socket
    // checks failed: the program must then end without showing the window.
    [[nodiscard]] bool load(SocketLayer &layer);

    // StartupUi
    void showMessage(const QString &text) override;
    QString text3() const override;
    void setText3(const QString &text) override;
    void setText4(const QString &text) override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void WebBrowser1_DocumentComplete();
    void confirmSubmitted(const SubmitOutcome &outcome);
    common::FaultSink faultSink();

    MainWindowPlaces m_places;
    ProviderPage *WebBrowser1 = nullptr;
};

} // namespace ipupdate
