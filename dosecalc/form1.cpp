#include "dosecalc/form1.h"

#include "dosecalc/controlevents.h"
#include "dosecalc/form2.h"
#include "dosecalc/form3.h"
#include "dosecalc/formulas.h"
#include "dosecalc/website.h"

#include "common/credits.h"
#include "common/eventguard.h"
#include "common/keypress.h"
#include "common/numerictext.h"
#include "common/singlewindow.h"
#include "common/windowsetup.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace {

constexpr qsizetype kAreaResults = 0;
constexpr qsizetype kAreaResultCount = 2;
constexpr qsizetype kCarboplatinResults = 2;
constexpr qsizetype kCarboplatinResultCount = 4;

const QColor staleText(0x80, 0x80, 0x80);

// Puts a raised "2" right after the text of its unit, whatever width the font gives that text.
void raiseAfter(QLabel *unit, QLabel *two)
{
    two->move(unit->geometry().right() + 1, two->y());
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    setupUi(this);
    Label11->setText(QStringLiteral("软件制作：") + QString::fromUtf16(common::credits::authorName)
                     + QLatin1Char(' ') + QString::fromUtf16(common::credits::authorMail) + QLatin1Char('\n'));
    common::setUpWindow(this);
    raiseAfter(Label1, Label14);
    raiseAfter(Label13, Label7);

    QLabel *const results[] = {Label12, Label15, Label26, Label28, Label32, Label34};
    for (std::size_t i = 0; i < m_results.size(); ++i) {
        Result &result = m_results[i];
        result.label = results[i];
        result.current = result.label->palette();
        result.font = result.label->font();
        // Figures are measured on every keystroke: the widths of their characters are kept.
        result.metrics.emplace(result.font);
        for (char16_t c = 0; c < result.advances.size(); ++c)
            result.advances[c] = result.metrics->horizontalAdvance(QChar(c));
        // A label with a frame indents its text by half an x, as QLabel does.
        const QLabel *label = result.label;
        const qreal indent = label->indent() >= 0 ? label->indent()
                             : label->frameWidth() > 0 ? result.metrics->horizontalAdvance(QLatin1Char('x')) / 2
                                                       : 0;
        result.room = label->contentsRect().width() - 2 * label->margin() - indent;
        result.label->setToolTipDuration(-1);
        result.description = result.label->accessibleDescription();
    }

    connect(Option1, &QRadioButton::clicked, this, common::guarded([this] { Option1_Click(); }));
    connect(Option2, &QRadioButton::clicked, this, common::guarded([this] { Option2_Click(); }));

    // textChanged, unlike textEdited, also comes for a text that a handler assigns.
    const auto area = common::guarded(
        [this] {
            m_resultsWritten = 0;
            RecalculateArea();
        },
        [this](const common::Fault &) { markUnwrittenStale(kAreaResults, kAreaResultCount); });
    for (QLineEdit *box : {Text1, Text2, Text3})
        connect(box, &QLineEdit::textChanged, this, area);
    const auto carboplatin = common::guarded(
        [this] {
            m_resultsWritten = 0;
            RecalculateCarboplatin();
        },
        [this](const common::Fault &) { markUnwrittenStale(kCarboplatinResults, kCarboplatinResultCount); });
    for (QLineEdit *box : {Text4, Text5, Text6, Text7})
        connect(box, &QLineEdit::textChanged, this, carboplatin);

    const std::pair<QLineEdit *, QLineEdit *> enterCycle[] = {
        {Text1, Text2}, {Text2, Text3}, {Text3, Text1},
        {Text4, Text5}, {Text5, Text6}, {Text6, Text7}, {Text7, Text4},
    };
    for (const auto &[box, next] : enterCycle)
        common::onKeyPress(box, [this, next = next](int keyAscii) { EnterCycle(keyAscii, next); });

    connect(Command1, &QPushButton::clicked, this, common::guarded([this] { Command1_Click(); }));
    connect(Command2, &QPushButton::clicked, this, common::guarded([this] { Command2_Click(); }));
    connect(Command3, &QPushButton::clicked, this, common::guarded([this] { Command3_Click(); }));
    connect(Command4, &QPushButton::clicked, this, common::guarded([this] { Command4_Click(); }));
    connect(Command5, &QPushButton::clicked, this, common::guarded([this] { Command5_Click(); }));
    dosecalc::onClick(Label37, [this] { Label37_Click(); });
}

void Form1::Option1_Click()
{
    Frame2->hide();
    Frame1->show();
}

void Form1::Option2_Click()
{
    Frame1->hide();
    Frame2->show();
}

void Form1::RecalculateArea()
{
    const double height = common::ReadLenient(Text1->text());
    const double weight = common::ReadLenient(Text2->text());
    const double area = dosecalc::BodySurfaceArea(height, weight);
    showResult(Label12, area);
    const double dosePerSquareMetre = common::ReadLenient(Text3->text());
    const double dose = dosecalc::DoseFromArea(area, dosePerSquareMetre);
    showResult(Label15, dose);
}

void Form1::RecalculateCarboplatin()
{
    const double age = common::ReadLenient(Text4->text());
    const double weight = common::ReadLenient(Text5->text());
    const double creatinine = common::ReadLenient(Text6->text());
    const double auc = common::ReadLenient(Text7->text());
    const auto figures = dosecalc::CarboplatinFigures(age, weight, creatinine, auc);
    showResult(Label26, figures.maleClearance);
    showResult(Label28, figures.femaleClearance);
    showResult(Label32, figures.maleDose);
    showResult(Label34, figures.femaleDose);
}

// Enter walks the boxes of a panel, so a user can stay on the numeric keypad. The key itself
// goes on to the box it was typed in, which inserts nothing for it.
void Form1::EnterCycle(int keyAscii, QLineEdit *next)
{
    if (keyAscii == 13)
        next->setFocus(Qt::OtherFocusReason);
}

void Form1::Command1_Click()
{
    Text1->setText(QString());
    Text2->setText(QString());
    Text3->setText(QString());
    clearResult(Label12);
    clearResult(Label15);
}

void Form1::Command2_Click()
{
    Text4->setText(QString());
    Text5->setText(QString());
    Text6->setText(QString());
    Text7->setText(common::DisplayText(qint16(5)));
    clearResult(Label26);
    clearResult(Label28);
    clearResult(Label32);
    clearResult(Label34);
}

void Form1::Command3_Click()
{
    common::SingleWindow<Form2>::show();
}

void Form1::Command4_Click()
{
    close();
    common::SingleWindow<Form2>::close();
    common::SingleWindow<Form3>::close();
}

void Form1::Command5_Click()
{
    common::SingleWindow<Form3>::show();
}

void Form1::Label37_Click()
{
    dosecalc::openAuthorWebSite();
}

void Form1::showResult(QLabel *label, double value)
{
    label->setText(common::DisplayText(value));
    Result &result = resultOf(label);
    fitFigure(result);
    setStale(result, false);
    ++m_resultsWritten;
}

// A figure of all its 15 digits is wider than its label in the label's own font; it is drawn
// smaller rather than cut off, since a cut figure can hide a digit before the point.
void Form1::fitFigure(Result &result)
{
    QLabel *label = result.label;
    qreal needed = 0;
    for (const QChar c : label->text())
        needed += c.unicode() < result.advances.size() ? result.advances[c.unicode()] : result.metrics->horizontalAdvance(c);
    qreal size = result.font.pointSizeF();
    if (needed > result.room)
        size = std::floor(size * result.room / needed * 4) / 4;
    if (label->font().pointSizeF() != size) {
        QFont font = result.font;
        font.setPointSizeF(size);
        label->setFont(font);
    }
}

void Form1::clearResult(QLabel *label)
{
    label->clear();
    Result &result = resultOf(label);
    fitFigure(result);
    setStale(result, false);
}

void Form1::markUnwrittenStale(qsizetype first, qsizetype count)
{
    for (qsizetype i = first + m_resultsWritten; i < first + count; ++i)
        setStale(m_results[i], true);
}

void Form1::setStale(Result &result, bool stale)
{
    if (result.stale == stale)
        return;
    result.stale = stale;
    if (stale) {
        // Grey on the plain panel colour: the figure no longer looks like a result.
        QPalette palette = result.current;
        palette.setColor(result.label->foregroundRole(), staleText);
        palette.setColor(result.label->backgroundRole(), QApplication::palette(result.label).color(QPalette::Window));
        result.label->setPalette(palette);
        const QString warning = QStringLiteral("当前输入无法计算（数值无效或超出范围），"
                                               "此数字不是当前输入的计算结果，请勿使用。");
        result.label->setToolTip(warning);
        // Read out too, since a screen reader user does not see the grey.
        result.label->setAccessibleDescription(result.description + QStringLiteral("。") + warning);
    } else {
        result.label->setPalette(result.current);
        result.label->setToolTip(QString());
        result.label->setAccessibleDescription(result.description);
    }
}

Form1::Result &Form1::resultOf(QLabel *label)
{
    for (Result &result : m_results) {
        if (result.label == label)
            return result;
    }
    Q_UNREACHABLE();
}
