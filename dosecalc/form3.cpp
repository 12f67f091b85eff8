#include "dosecalc/form3.h"

#include "dosecalc/controlevents.h"
#include "dosecalc/website.h"

#include "common/eventguard.h"
#include "common/windowsetup.h"

#include <QPushButton>

Form3::Form3(QWidget *parent) : QWidget(parent)
{
    setupUi(this);
    Label37->setText(dosecalc::authorWebSite() + QStringLiteral("  "));
    common::setUpWindow(this);

    connect(Command1, &QPushButton::clicked, this, common::guarded([this] { Command1_Click(); }));
    dosecalc::onDoubleClickOnFreeArea(this, [this] { Form_DblClick(); });
    dosecalc::onDoubleClickOnFreeArea(Frame1, [this] { Frame1_DblClick(); });
    // Its button always holds the focus, so in practice this never closes the window.
    dosecalc::closeOnLostFocus(this);
    dosecalc::onClick(Label37, [this] { Label37_Click(); });
}

void Form3::Command1_Click()
{
    close();
}

void Form3::Form_DblClick()
{
    close();
}

void Form3::Frame1_DblClick()
{
    close();
}

void Form3::Label37_Click()
{
    dosecalc::openAuthorWebSite();
}
