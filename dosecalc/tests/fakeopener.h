#pragma once

#include "common/desktop.h"

#include <QStringList>

// Stands in for the desktop's web browser: records the addresses it is handed.
class FakeOpener : public common::DesktopOpener {
public:
    void open(const QString &address, const QString &) override { opened.append(address); }
    QStringList opened;
};
