#pragma once

#include <QString>

namespace common {

// What the three programs share before their first window: the program's title (the default
// caption of its message boxes), its window icon, the widget style, the default font "宋体" 9,
// and "宋体" mapped to the CJK fonts that are installed, so the layouts' Chinese texts render.
void initApplication(const QString &title, const QString &iconPath);

} // namespace common
