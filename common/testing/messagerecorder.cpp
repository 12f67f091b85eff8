#include "messagerecorder.h"

#include <QApplication>

namespace common::testing {

MessageRecorder::MessageRecorder()
{
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        m_seen.append({box->text(), box->windowTitle(), box->icon()});
        box->accept();
    });
    m_timer.start();
}

} // namespace common::testing
