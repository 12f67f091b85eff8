#pragma once

#include "common/desktop.h"

#include <QList>
#include <QString>

namespace common::testing {

struct Opened {
    QString address;
    QString verb;
    bool operator==(const Opened &) const = default;
};

// Stands in for the desktop's web and mail handlers: records what it is handed.
class RecordingOpener : public DesktopOpener {
public:
    void open(const QString &address, const QString &verb) override { opened.append({address, verb}); }
    QList<Opened> opened;
};

} // namespace common::testing
