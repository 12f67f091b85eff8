#pragma once

#include <QString>

namespace ipupdate {

// What the socket start-up checks and the address discovery need of the main window: its
// message box and its two unseen address boxes. The window implements it; tests fake it.
class StartupUi {
public:
    virtual ~StartupUi() = default;
    // A modal message box with one OK button, no icon and the program's title as caption.
    virtual void showMessage(const QString &text) = 0;
    virtual QString text3() const = 0;
    virtual void setText3(const QString &text) = 0;
    virtual void setText4(const QString &text) = 0;
};

} // namespace ipupdate
