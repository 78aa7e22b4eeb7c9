#include "setup/frmLast.h"

#include "setup/PageParts.h"
#include "setup/frmCopy.h"
#include "setup/frmPath.h"
#include "setup/frmProgram.h"
#include "setup/frmWelcome.h"
#include "setup/mdlSetup.h"

#include <QLabel>
#include <QPushButton>

frmLast::frmLast() : WizardPage(QStringLiteral("تركيب Tavrin - نسخ الملفات"))
{
    picPlan = new QLabel(this);
    Label1 = pageparts::MakeHeading(QStringLiteral(" نسخ الملفات..."), this);
    Label2 = pageparts::MakeText(
        QStringLiteral("والأن ستتم عملية نسخ كآفة الملفات التابعة لبرنامج Tavrin في الدليل المحدد "
                       "من قبل. للبدء في عملية نسخ الملفات قم بالضغط على الزر \"نسخ\".\n"
                       "\n"
                       "* ملاحظة:\n"
                       "لن تتمكن من العودة إذا قمت بالضغط على زر \"نسخ\"."),
        this);
    const pageparts::PageButtons buttons = pageparts::MakeButtons(this, QStringLiteral("نسخ..."));
    Command2 = buttons.back;
    Command1 = buttons.next;
    Command4 = buttons.exit;
    pageparts::LayOutPage(this, picPlan, pageparts::MakeBody(Label1, Label2), buttons);

    connect(Command1, &QPushButton::clicked, this, &frmLast::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmLast::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmLast::Command4_Click);
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
