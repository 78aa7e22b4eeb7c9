#include "setup/frmWelcome.h"

#include "setup/PageParts.h"
#include "setup/frmPath.h"
#include "setup/mdlSetup.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmWelcome::frmWelcome() : WizardPage(QStringLiteral("Tavrin - مرحباً"))
{
    picPlan = new QLabel(this);
    Label1 = pageparts::MakeHeading(QStringLiteral("مرحباُ..."), this);
    Label2 = pageparts::MakeText(
        QStringLiteral("مرحباً بك في برنامج تركيب Tavrin -الاصدار الثاني-. تتبع هذا الويزارد خطوة خطوة وقم "
                       "بتحديد الخيارات وتعبئة البيانات المطلوبة لاتمام عملية تركيب برنامج Tavrin.\n"
                       "\n"
                       "للانتقال الى الخطوة التالية انقر على زر \"التالي\"، للانتقال الى خطوة سابقة انقر على "
                       "زر \"السابق\"، ولانهاء البرنامج انقر على زر \"انهاء\"\n"
                       "حظاً سعيداً !"),
        this);
    const pageparts::PageButtons buttons = pageparts::MakeButtons(this);
    cmdBack = buttons.back;
    cmdBack->setEnabled(false);
    cmdNext = buttons.next;
    cmdExit = buttons.exit;
    pageparts::LayOutPage(this, picPlan, pageparts::MakeBody(Label1, Label2), buttons);

    connect(cmdNext, &QPushButton::clicked, this, &frmWelcome::cmdNext_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmWelcome::cmdExit_Click);
}

void frmWelcome::cmdNext_Click()
{
    Window<frmPath>().show();
    hide();
}

void frmWelcome::cmdExit_Click()
{
    ConfirmExit(this);
}
