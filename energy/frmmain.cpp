#include "frmmain.h"

#include "common/credits.h"
#include "common/eventguard.h"
#include "common/faults.h"
#include "common/messagebox.h"
#include "common/numerictext.h"
#include "common/windowsetup.h"

#include <QPushButton>

#include <cmath>

namespace {

// The Harris-Benedict form of equation: constant + weight × a + height × b − age × c.
struct Equation {
    double constant;
    double weightFactor;
    double heightFactor;
    double ageFactor;
};
constexpr Equation man{66, 13.7, 5, 6.8};
constexpr Equation woman{655, 9.6, 1.7, 4.7};

const QString reminderTitle = QStringLiteral("提醒");

// Each step of the equation must leave a number: an overflow, an invalid operation or a
// division by zero, and a reading beyond the double range, all leave an infinity or a NaN.
void TestArithmetic(double result)
{
    if (!std::isfinite(result))
        throw common::ArithmeticFault();
}

} // namespace

frmmain::frmmain(QWidget *parent) : QWidget(parent)
{
    setupUi(this);
    Label4->setText(QStringLiteral("程序设计：") + QString::fromUtf16(common::credits::authorName)
                    + QStringLiteral("  ") + QString::fromUtf16(common::credits::authorWeb)
                    + QStringLiteral("   ") + QString::fromUtf16(common::credits::authorMail));
    common::setUpWindow(this);

    connect(Command1, &QPushButton::clicked, this,
            common::guarded([this] { Command1_Click(); },
                            [this](const common::Fault &fault) { answerFault(fault); }));
}

void frmmain::Command1_Click()
{
    using common::ReadStrict;

    // A box of blanks counts as filled: strict reading decides about it below.
    if (Text1->text().isEmpty()) {
        common::showMessage(this, QStringLiteral("请输入体重！"), common::MessageIcon::Information, reminderTitle);
        return;
    }
    if (Text2->text().isEmpty()) {
        common::showMessage(this, QStringLiteral("请输入身高！"), common::MessageIcon::Information, reminderTitle);
        return;
    }
    if (Text3->text().isEmpty()) {
        common::showMessage(this, QStringLiteral("请输入年龄！"), common::MessageIcon::Information, reminderTitle);
        return;
    }

    // Each box is read just before its term, so a bad height stops after the weight term.
    const Equation &equation = Option2->isChecked() ? woman : man;
    double s = ReadStrict(Text1->text()) * equation.weightFactor + equation.constant;
    TestArithmetic(s);
    s = ReadStrict(Text2->text()) * equation.heightFactor + s;
    TestArithmetic(s);
    const double r = s - ReadStrict(Text3->text()) * equation.ageFactor;
    TestArithmetic(r);
    Text4->setText(common::DisplayText(r));
}

void frmmain::answerFault(const common::Fault &fault)
{
    // The boxes are read in this order and the first one that holds no number stopped the
    // calculation, so looking for it again names the box the user has to correct.
    const std::pair<QLineEdit *, QString> quantities[] = {
        {Text1, QStringLiteral("体重")}, {Text2, QStringLiteral("身高")}, {Text3, QStringLiteral("年龄")}};

    QString text;
    QLineEdit *wrongBox = nullptr;
    if (dynamic_cast<const common::TypeMismatch *>(&fault)) {
        text = QStringLiteral("输入的不是数字，请检查体重、身高和年龄！");
        for (const auto &[box, name] : quantities) {
            try {
                common::ReadStrict(box->text());
            } catch (const common::TypeMismatch &) {
                wrongBox = box;
                text = name + QStringLiteral("输入的不是数字，请重新输入！");
                break;
            }
        }
    } else if (dynamic_cast<const common::ArithmeticFault *>(&fault)) {
        text = QStringLiteral("数字太大，无法计算，请检查体重、身高和年龄！");
    } else {
        text = QStringLiteral("无法计算，请检查体重、身高和年龄！");
    }

    // Titled with the program's name, so it is not taken for one of the three reminders.
    common::showMessage(this, text, common::MessageIcon::Warning);
    if (wrongBox) {
        wrongBox->setFocus(Qt::OtherFocusReason);
        wrongBox->selectAll();
    }
}
