#include "keypress.h"

#include "eventguard.h"

#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace common {

namespace {

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QWidget *control, std::function<void(int)> handler)
        : QObject(control), m_handler(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        int code = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            code = 13;
        else if (!key->text().isEmpty())
            code = key->text().front().unicode();
        if (code != 0)
            runGuarded([&] { m_handler(code); });
        return false;
    }

private:
    std::function<void(int)> m_handler;
};

} // namespace

void onKeyPress(QWidget *control, std::function<void(int keyAscii)> handler)
{
    new KeyPressFilter(control, std::move(handler));
}

} // namespace common
