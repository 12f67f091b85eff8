#include "dosecalc/form2.h"

#include "dosecalc/controlevents.h"

#include "common/windowsetup.h"

Form2::Form2(QWidget *parent) : QWidget(parent)
{
    setupUi(this);
    // Each line of the explanation ends in CR LF, as it was written; a .ui file cannot keep a CR.
    Label1->setText(Label1->text().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    common::setUpWindow(this);
    // No control here takes the focus, so the window holds it itself and loses it to Form1.
    dosecalc::closeOnLostFocus(this);
    dosecalc::onClick(Label1, [this] { Label1_Click(); });
}

void Form2::Label1_Click()
{
    close();
}
