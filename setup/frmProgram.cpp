#include "setup/frmProgram.h"

#include "setup/PageParts.h"
#include "setup/frmLast.h"
#include "setup/frmPath.h"
#include "setup/mdlSetup.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

frmProgram::frmProgram() : WizardPage(QStringLiteral("تركيب Tavrin- مجموعة في قائمة إبدأ"))
{
    picPlan = new QLabel(this);
    Label1 =
        pageparts::MakeText(QStringLiteral("أسرع طريقة تمكنك من عملية تشغيل البرنامج هي بوضع مجموعة برنامج "
                                           "\"Tavrin\" في قائمة إبدأ فهل تريد وضعها؟"),
                            this);
    Option1 = new QRadioButton(QStringLiteral("نعم أرغب في إنشاء مجموعة Tavrin\" في قائمة \"إبدأ\"."), this);
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("لا أرغب في ذلك."), this);
    const pageparts::PageButtons buttons = pageparts::MakeButtons(this);
    Command2 = buttons.back;
    Command1 = buttons.next;
    Command4 = buttons.exit;
    pageparts::LayOutPage(this, picPlan,
                          pageparts::MakeBody(nullptr, Label1, {Option1, Option2}, pageparts::kWideGap),
                          buttons);

    connect(Command1, &QPushButton::clicked, this, &frmProgram::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmProgram::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmProgram::Command4_Click);
}

void frmProgram::Command1_Click()
{
    bCreateGroup = Option1->isChecked();
    Window<frmLast>().show();
    hide();
}

void frmProgram::Command2_Click()
{
    Window<frmPath>().show();
    hide();
}

void frmProgram::Command4_Click()
{
    ConfirmExit(this);
}
