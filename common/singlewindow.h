#pragma once

#include <QPointer>
#include <QWidget>

namespace common {

// A window that the program opens modeless and without an owner, one copy at a time.
// Closing destroys it; the next show builds it afresh from its settings.
template <typename Window>
class SingleWindow {
public:
    // Creates and shows the window, or brings the open one to the front.
    static Window *show()
    {
        if (!isOpen()) {
            s_window = new Window;
            s_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        s_window->show();
        s_window->raise();
        s_window->activateWindow();
        return s_window;
    }

    // Closes the window when it is open.
    static void close()
    {
        if (isOpen())
            s_window->close();
    }

    // A closed window is gone even while its deletion is still pending.
    static bool isOpen() { return s_window && s_window->isVisible(); }

    static Window *instance() { return isOpen() ? s_window.data() : nullptr; }

private:
    static inline QPointer<Window> s_window;
};

} // namespace common
