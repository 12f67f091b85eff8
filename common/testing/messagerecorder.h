#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QTimer>

namespace common::testing {

struct SeenMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// While it lives, answers every modal message box that opens (by its OK button) and records
// what it said, so a test that clicks its way into a message never hangs.
class MessageRecorder {
public:
    MessageRecorder();
    const QList<SeenMessage> &seen() const { return m_seen; }

private:
    QTimer m_timer;
    QList<SeenMessage> m_seen;
};

} // namespace common::testing
