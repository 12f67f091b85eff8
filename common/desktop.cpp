#include "desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace common {

namespace {

// On Linux the desktop's URL opener (xdg-open) is started detached; it has no verbs.
class SystemOpener : public DesktopOpener {
public:
    void open(const QString &address, const QString &) override
    {
        // A bare web address such as "example.org" gets its http:// here.
        QDesktopServices::openUrl(QUrl::fromUserInput(address));
    }
};

DesktopOpener *&replacement()
{
    static DesktopOpener *opener = nullptr;
    return opener;
}

} // namespace

DesktopOpener &desktopOpener()
{
    static SystemOpener system;
    return replacement() ? *replacement() : system;
}

void setDesktopOpener(DesktopOpener *opener)
{
    replacement() = opener;
}

} // namespace common
