#pragma once

#include <QColor>
#include <QStringView>

namespace common {

// A colour word &H00BBGGRR&: blue in the high byte, red in the low one. A word with the top
// bit set names a system colour (&H80000005& is the window background), taken from the palette.
QColor colorFromWord(quint32 word);

// The same from its text form "&H00BBGGRR&"; an invalid QColor when the text is not one.
QColor colorFromWord(QStringView text);

} // namespace common
