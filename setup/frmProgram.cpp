#include "setup/frmProgram.h"

#include "setup/PageParts.h"
#include "setup/frmBackGround.h"
#include "setup/frmLast.h"
#include "setup/frmPath.h"
#include "setup/mdlSetup.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmProgram::frmProgram() : QDialog(&Window<frmBackGround>())
{
    setWindowTitle(QStringLiteral("تركيب Tavrin- مجموعة في قائمة إبدأ"));
    picPlan = new QLabel(this);
    Label1 = new QLabel(QStringLiteral("أسرع طريقة تمكنك من عملية تشغيل البرنامج هي بوضع مجموعة برنامج "
                                       "\"Tavrin\" في قائمة إبدأ فهل تريد وضعها؟"),
                        this);
    Label1->setWordWrap(true);
    Option1 = new QRadioButton(QStringLiteral("نعم أرغب في إنشاء مجموعة Tavrin\" في قائمة \"إبدأ\"."), this);
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("لا أرغب في ذلك."), this);
    Command2 = new QPushButton(QStringLiteral("< السابق"), this);
    Command1 = new QPushButton(QStringLiteral("التالي >"), this);
    Command4 = new QPushButton(QStringLiteral("انهاء"), this);

    auto *body = new QVBoxLayout;
    body->addSpacing(20);
    body->addWidget(Label1);
    body->addSpacing(12);
    body->addWidget(Option1);
    body->addWidget(Option2);
    body->addStretch(1);
    pageparts::LayOutPage(this, picPlan, body, Command2, Command1, Command4);

    connect(Command1, &QPushButton::clicked, this, &frmProgram::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmProgram::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmProgram::Command4_Click);
}

void frmProgram::Form_Load()
{
    CentreOverBackground(this);
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

void frmProgram::reject()
{
    Command4_Click();
}
