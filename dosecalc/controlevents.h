#pragma once

#include <functional>

class QWidget;

namespace dosecalc {

// Mouse gestures on controls that have no signal for them (labels, frames, windows). Each
// handler runs under the program's event guard; the event then goes on as usual.

// A click: the left button pressed and released over `control`.
void onClick(QWidget *control, std::function<void()> handler);

// A left double click on the free area of `container`, not on one of its child controls.
void onDoubleClickOnFreeArea(QWidget *container, std::function<void()> handler);

// Closes `window` when another window of the program becomes active while `window` itself held
// the keyboard focus, which it does only when none of its controls can take it.
void closeOnLostFocus(QWidget *window);

} // namespace dosecalc
