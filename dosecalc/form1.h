#pragma once

#include "ui_form1.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPalette>
#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;

// Quarvel's main window: the body surface area panel and the carboplatin panel, recomputed on
// every keystroke. Every figure lives in the controls; nothing is carried between events.
class Form1 : public QWidget, private Ui::Form1 {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

private:
    void Option1_Click();
    void Option2_Click();
    void RecalculateArea();
    void RecalculateCarboplatin();
    void EnterCycle(int keyAscii, QLineEdit *next);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Label37_Click();

    // Result labels: a figure written by the running recalculation is current; when the
    // recalculation stops at a fault, the labels it did not reach no longer belong to the boxes
    // and are shown as stale until they are written or cleared again.
    struct Result {
        QLabel *label = nullptr;
        QPalette current;
        QFont font;
        std::optional<QFontMetricsF> metrics;
        std::array<qreal, 128> advances{};
        qreal room = 0;
        // What a screen reader says the figure is: the quantity and its unit.
        QString description;
        bool stale = false;
    };
    void showResult(QLabel *label, double value);
    void clearResult(QLabel *label);
    void markUnwrittenStale(qsizetype first, qsizetype count);
    void setStale(Result &result, bool stale);
    void fitFigure(Result &result);
    Result &resultOf(QLabel *label);

    // Label12, Label15 of the area panel, then Label26, Label28, Label32, Label34 of the
    // carboplatin panel, in the order their recalculation writes them.
    std::array<Result, 6> m_results;
    // How many result labels the running recalculation has written.
    qsizetype m_resultsWritten = 0;
};
