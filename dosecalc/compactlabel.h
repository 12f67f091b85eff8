#pragma once

#include <QLabel>

// A label that sets its lines one em apart, as the users' Song typeface does, instead of the
// much wider line spacing of the CJK fonts installed here; the layouts' many-line texts and
// one-line labels of a single em's height only fit that way. Text is drawn from the top.
class CompactLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
