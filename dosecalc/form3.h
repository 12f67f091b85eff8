#pragma once

#include "ui_form3.h"

#include <QWidget>

// The About window: a picture, what this version added, the release date and the web site.
class Form3 : public QWidget, private Ui::Form3 {
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);

private:
    void Command1_Click();
    void Form_DblClick();
    void Frame1_DblClick();
    void Label37_Click();
};
