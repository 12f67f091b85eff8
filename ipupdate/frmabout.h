#pragma once

#include "ui_frmabout.h"

#include <QWidget>

namespace ipupdate {

// The About window: the version line, the author's mail and web links. Opened modeless and
// without an owner, one copy at a time; closes on a click on its background or version line.
class frmabout : public QWidget, private Ui::frmabout {
    Q_OBJECT

public:
    frmabout();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Form_Load();
    void Form_Click();
    void Form_MouseMove();
    void Label1_Click();
    void Label2_Click();
    void Label2_MouseMove();
    void Label3_Click();
    void Label3_MouseMove();
    void setTextColor(QLabel *label, const QColor &color);
};

} // namespace ipupdate
