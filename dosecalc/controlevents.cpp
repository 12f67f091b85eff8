#include "dosecalc/controlevents.h"

#include "common/eventguard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

namespace dosecalc {

namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QWidget *control, std::function<void()> handler)
        : QObject(control), m_control(control), m_handler(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (event->type() == QEvent::MouseButtonPress) {
            m_pressed = true;
        } else if (m_pressed) {
            // Releasing elsewhere is how a user takes a click back.
            m_pressed = false;
            if (m_control->rect().contains(mouse->position().toPoint()))
                common::runGuarded(m_handler);
        }
        return false;
    }

private:
    QWidget *m_control;
    std::function<void()> m_handler;
    bool m_pressed = false;
};

class FreeAreaDoubleClickFilter : public QObject {
public:
    FreeAreaDoubleClickFilter(QWidget *container, std::function<void()> handler)
        : QObject(container), m_container(container), m_handler(std::move(handler))
    {
        container->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonDblClick)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // A double click that a child control left unhandled comes on to its container; it was
        // still aimed at the child, not at the free area.
        if (mouse->button() == Qt::LeftButton && !m_container->childAt(mouse->position().toPoint()))
            common::runGuarded(m_handler);
        return false;
    }

private:
    QWidget *m_container;
    std::function<void()> m_handler;
};

class LostFocusFilter : public QObject {
public:
    explicit LostFocusFilter(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // A switch to another program leaves the window open: only a window of this program
        // taking the focus counts.
        if (event->type() == QEvent::WindowDeactivate && !m_window->focusWidget()
            && QApplication::activeWindow() && QApplication::activeWindow() != m_window)
            m_window->close();
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

void onClick(QWidget *control, std::function<void()> handler)
{
    new ClickFilter(control, std::move(handler));
}

void onDoubleClickOnFreeArea(QWidget *container, std::function<void()> handler)
{
    new FreeAreaDoubleClickFilter(container, std::move(handler));
}

void closeOnLostFocus(QWidget *window)
{
    new LostFocusFilter(window);
}

} // namespace dosecalc
