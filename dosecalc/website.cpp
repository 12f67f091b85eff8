#include "dosecalc/website.h"

#include "common/credits.h"
#include "common/desktop.h"

namespace dosecalc {

QString authorWebSite()
{
    return QString::fromUtf16(common::credits::authorWeb);
}

void openAuthorWebSite()
{
    common::desktopOpener().open(authorWebSite(), QStringLiteral("open"));
}

} // namespace dosecalc
