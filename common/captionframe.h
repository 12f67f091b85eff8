#pragma once

#include <QGroupBox>

namespace common {

// A frame drawn the way the users know it: an etched border whose top edge runs through the
// middle of the caption, not below it, so the controls placed near the top of the frame sit
// inside the border.
class CaptionFrame : public QGroupBox {
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace common
