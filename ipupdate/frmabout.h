#pragma once

#include "ui_frmabout.h"

#include <QWidget>

namespace ipupdate {

// The line that tells the user which settings file is in use, as a tooltip of the About
// window's version line and of the main window's settings frame.
QString settingsPlaceTip(const QString &settingsPath);

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
