#pragma once

#include "ui_form2.h"

#include <QWidget>

// How the carboplatin dose is computed: a page of text that closes on a click or as soon as the
// user goes back to another window of the program.
class Form2 : public QWidget, private Ui::Form2 {
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

private:
    void Label1_Click();
};
