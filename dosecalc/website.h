#pragma once

#include <QString>

namespace dosecalc {

// The author's web site, as the About window shows it and both web links open it.
QString authorWebSite();

// Hands the author's web site to the desktop's web browser and returns at once.
void openAuthorWebSite();

} // namespace dosecalc
