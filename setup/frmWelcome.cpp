#include "setup/frmWelcome.h"

#include "setup/PageParts.h"
#include "setup/frmBackGround.h"
#include "setup/frmPath.h"
#include "setup/mdlSetup.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmWelcome::frmWelcome() : QDialog(&Window<frmBackGround>())
{
    setWindowTitle(QStringLiteral("Tavrin - مرحباً"));
    picPlan = new QLabel(this);
    Label1 = new QLabel(QStringLiteral("مرحباُ..."), this);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 4);
    Label1->setFont(heading);
    Label2 = new QLabel(
        QStringLiteral("مرحباً بك في برنامج تركيب Tavrin -الاصدار الثاني-. تتبع هذا الويزارد خطوة خطوة وقم "
                       "بتحديد الخيارات وتعبئة البيانات المطلوبة لاتمام عملية تركيب برنامج Tavrin.\n"
                       "\n"
                       "للانتقال الى الخطوة التالية انقر على زر \"التالي\"، للانتقال الى خطوة سابقة انقر على "
                       "زر \"السابق\"، ولانهاء البرنامج انقر على زر \"انهاء\"\n"
                       "حظاً سعيداً !"),
        this);
    Label2->setWordWrap(true);
    cmdBack = new QPushButton(QStringLiteral("< السابق"), this);
    cmdBack->setEnabled(false);
    cmdNext = new QPushButton(QStringLiteral("التالي >"), this);
    cmdExit = new QPushButton(QStringLiteral("انهاء"), this);

    auto *body = new QVBoxLayout;
    body->addWidget(Label1);
    body->addSpacing(8);
    body->addWidget(Label2);
    body->addStretch(1);
    pageparts::LayOutPage(this, picPlan, body, cmdBack, cmdNext, cmdExit);

    connect(cmdNext, &QPushButton::clicked, this, &frmWelcome::cmdNext_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmWelcome::cmdExit_Click);
}

void frmWelcome::Form_Load()
{
    CentreOverBackground(this);
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

void frmWelcome::reject()
{
    cmdExit_Click();
}
