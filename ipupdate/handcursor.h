#pragma once

#include <QCursor>
#include <QImage>

namespace ipupdate {

// The link pointer of the About window: a 32 × 32 hand whose index finger points to the upper
// left, its hot spot at the fingertip, the image's top left pixel.
QImage handCursorImage();
QCursor handCursor();

} // namespace ipupdate
