#pragma once

// Compares built windows with their layout tables: places and sizes in twips, fonts, colours,
// visibility, the window's frame and the order of the Tab key.

#include <QMetaType>
#include <QStringList>
#include <Qt>

#include <climits>

class QWidget;

namespace layout {

// A setting the table gives as yes or no, or leaves open.
enum class Is { Open, No, Yes };

enum class Sizing {
    Fixed,  // left, top, width and height as given
    ToText, // a label that sizes itself to its text: left and top as given, inside its container
    Line,   // a line from (left, top) to (width, height), both points in twips
};

// Where a table leaves a coordinate to the program.
inline constexpr int kFree = INT_MIN;
// A control that keeps the application's default font size.
inline constexpr double kDefaultSize = -1;

inline constexpr const char *kSongTi = "宋体";

// One control as its layout table gives it. Positions count from the top-left corner of the
// control's container (the window or a frame), in twips.
struct ControlLayout {
    const char *name = nullptr;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    Sizing sizing = Sizing::Fixed;
    double pointSize = 0; // 0: not given
    Is bold = Is::Open;
    const char *family = nullptr;
    const char *foreColor = nullptr; // "&H00BBGGRR&"
    const char *backColor = nullptr;
    Is opaque = Is::Open;
    Is border = Is::Open;
    Is wrapped = Is::Open;
    Qt::Alignment alignment = {}; // horizontal alignment, when given
    bool visible = true;
};

// A window as its table gives it.
struct WindowLayout {
    const char *caption = nullptr;
    int clientWidth = 0; // twips
    int clientHeight = 0;
    bool fixedBorder = false;
    bool minButton = false;
    bool maxButton = false;
    // The client area's top-left corner on the screen in twips; kFree: centred on the screen.
    int left = kFree;
    int top = kFree;
    const char *backColor = nullptr;
    double pointSize = kDefaultSize;
    bool bold = false;
    // The focusable controls in the order of the Tab key, hidden and disabled ones included.
    QStringList tabOrder;
    // The control that has the focus when the window is first shown; empty: none.
    const char *firstFocus = nullptr;
};

// Each compares and reports the first difference through QtTest; the calling test function
// ends when QTest::currentTestFailed() says so.
void checkControl(QWidget *window, const ControlLayout &expected);
void checkWindow(QWidget *window, const WindowLayout &expected);
// The control as drawn: a label's background in `backColor`, and its text (or the line) in
// `foreColor`; either may be null.
void checkDrawnColors(QWidget *control, const char *foreColor, const char *backColor, bool line = false);
// `front` is drawn over `back`: both lie in one container and `front` comes later in it.
void checkInFront(QWidget *window, const char *front, const char *back);

// The named, focusable controls in the window's focus chain, in chain order. The chain is a
// ring; the list starts at `first` when that is in it.
QStringList focusChain(QWidget *window, const QString &first = {});

} // namespace layout

Q_DECLARE_METATYPE(layout::ControlLayout)
Q_DECLARE_METATYPE(layout::WindowLayout)
