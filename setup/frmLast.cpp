#include "setup/frmLast.h"

#include "setup/PageParts.h"
#include "setup/frmBackGround.h"
#include "setup/frmCopy.h"
#include "setup/frmPath.h"
#include "setup/frmProgram.h"
#include "setup/frmWelcome.h"
#include "setup/mdlSetup.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmLast::frmLast() : QDialog(&Window<frmBackGround>())
{
    setWindowTitle(QStringLiteral("تركيب Tavrin - نسخ الملفات"));
    picPlan = new QLabel(this);
    Label1 = new QLabel(QStringLiteral(" نسخ الملفات..."), this);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 4);
    Label1->setFont(heading);
    Label2 =
        new QLabel(QStringLiteral("والأن ستتم عملية نسخ كآفة الملفات التابعة لبرنامج Tavrin في الدليل المحدد "
                                  "من قبل. للبدء في عملية نسخ الملفات قم بالضغط على الزر \"نسخ\".\n"
                                  "\n"
                                  "* ملاحظة:\n"
                                  "لن تتمكن من العودة إذا قمت بالضغط على زر \"نسخ\"."),
                   this);
    Label2->setWordWrap(true);
    Command2 = new QPushButton(QStringLiteral("< السابق"), this);
    Command1 = new QPushButton(QStringLiteral("نسخ..."), this);
    Command4 = new QPushButton(QStringLiteral("انهاء"), this);

    auto *body = new QVBoxLayout;
    body->addWidget(Label1);
    body->addSpacing(8);
    body->addWidget(Label2);
    body->addStretch(1);
    pageparts::LayOutPage(this, picPlan, body, Command2, Command1, Command4);

    connect(Command1, &QPushButton::clicked, this, &frmLast::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmLast::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmLast::Command4_Click);
}

void frmLast::Form_Load()
{
    CentreOverBackground(this);
}

void frmLast::Command1_Click()
{
    Window<frmCopy>().show();
    // No way back once the copy starts.
    Unload(&Window<frmWelcome>());
    Unload(&Window<frmPath>());
    Unload(&Window<frmProgram>());
    Unload(this);
}

void frmLast::Command2_Click()
{
    Window<frmProgram>().show();
    hide();
}

void frmLast::Command4_Click()
{
    ConfirmExit(this);
}

void frmLast::reject()
{
    Command4_Click();
}
