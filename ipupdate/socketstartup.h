#pragma once

#include "socketlayer.h"
#include "startupui.h"

namespace ipupdate {

// Starts the socket library asking for version 1.1 and checks what it offers. On a failing
// check it shows the check's message and returns false: the program must then end at once,
// before its window is shown, with a non-zero exit status.
[[nodiscard]] bool SocketsInitialize(SocketLayer &layer, StartupUi &ui);

// The low 8 bits of a version word.
qint32 lobyte(qint16 wParam);
// The word divided by 256 (truncated toward zero), reduced to its low 8 bits.
qint32 hibyte(qint16 wParam);

} // namespace ipupdate
