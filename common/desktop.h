#pragma once

#include <QString>

namespace common {

// Hands a web or mail address to the desktop's default handler and returns at once, without
// waiting for or looking at the outcome.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // `verb` is the shell verb ("open") where the platform has verbs; empty for the default action.
    virtual void open(const QString &address, const QString &verb) = 0;
};

// The opener the programs use: the desktop's own, unless a test has put another in its place.
DesktopOpener &desktopOpener();

// Puts `opener` in place of the desktop's own (nullptr restores it). Tests use it.
void setDesktopOpener(DesktopOpener *opener);

} // namespace common
