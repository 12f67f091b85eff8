#pragma once

#include "ui_frmmain.h"

#include <QWidget>

namespace common {
class Fault;
}

// Kelvio's only window: sex, weight, height and age in, resting energy expenditure out.
class frmmain : public QWidget, private Ui::frmmain {
    Q_OBJECT

public:
    explicit frmmain(QWidget *parent = nullptr);

private:
    void Command1_Click();

    // What the user is told when the calculation stops at a fault.
    void answerFault(const common::Fault &fault);
};
