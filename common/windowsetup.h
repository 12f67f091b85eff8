#pragma once

class QWidget;

namespace common {

// Finishes a window built by its .ui file: applies the settings that Qt has no property for,
// recorded in the .ui as dynamic properties, sets the tab order from the tab indices and puts
// the focus on the first control in that order that can take it. Call it right after setupUi.
//
// On the window (the .ui's top-level widget; its geometry gives the client size in pixels):
//   borderStyle      "fixedSingle" (no resizing) or "sizable" (the default)
//   minButton        bool, whether the title bar has a minimise button (default false)
//   maxButton        bool, whether the title bar has a maximise button (default false)
//   startUpPosition  "manual" (place the client area at leftTwips, topTwips) or "centerScreen"
//   leftTwips, topTwips  int, the client area's top-left corner on the screen, in twips
//   backColor        "&H00BBGGRR&", the window's background
// On any control:
//   tabIndex         int, the control's place in the order of the Tab key
//   foreColor        "&H00BBGGRR&", its text colour (not inherited by the controls inside it)
//   backColor        "&H00BBGGRR&", its background (a label with it is opaque)
//   opaque           bool, a label that paints its background (transparent by default)
//   pointSizeF       double, a font size that .ui files cannot hold (10.5, 14.25)
//   autoSize         bool, a label that sizes itself to its text
//   borderStyle      "fixedSingle" on a label: a single sunken border
// A label's buddy (QLabel::buddy, set in the .ui) is named after the label for screen readers,
// without a closing colon; a combo box's own text box and drop-down list get that name too.
// Every push button is pressed by Enter (main and keypad) and by Space while it has the focus;
// no button is a default button, so Enter in a text box presses nothing. Horizontal and
// vertical line frames let mouse events through to the window below them.
void setUpWindow(QWidget *window);

} // namespace common
