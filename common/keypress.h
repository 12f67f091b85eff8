#pragma once

#include <functional>

class QWidget;

namespace common {

// Calls `handler` with the character code of every key typed into `control` (13 for either
// Enter key, main or keypad) before the control processes the key itself, as it then does as
// usual: the key is never consumed. Keys that type no character (arrows, Shift) are not reported.
// The handler runs under the program's event guard.
void onKeyPress(QWidget *control, std::function<void(int keyAscii)> handler);

} // namespace common
