#include "setup/frmPath.h"

#include "platform/Dialogs.h"
#include "setup/PageParts.h"
#include "setup/cCopyList.h"
#include "setup/cInstallFolder.h"
#include "setup/frmProgram.h"
#include "setup/frmWelcome.h"
#include "setup/mdlSetup.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmPath::frmPath() : WizardPage(QStringLiteral("تركيب Tavrin - المسار"))
{
    picPlan = new QLabel(this);
    Label1 = pageparts::MakeText(QStringLiteral("ستتم عملية تركيب برنامج Tavrin في الدليل/المجلد:"), this);
    Text1 = new QLineEdit(cInstallFolder::DefaultText(), this);
    // A folder name reads left to right whatever the page's direction.
    Text1->setLayoutDirection(Qt::LeftToRight);
    const pageparts::PageButtons buttons = pageparts::MakeButtons(this);
    Command2 = buttons.back;
    Command1 = buttons.next;
    Command4 = buttons.exit;
    pageparts::LayOutPage(this, picPlan, pageparts::MakeBody(nullptr, Label1, {Text1}), buttons);

    connect(Command1, &QPushButton::clicked, this, &frmPath::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPath::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &frmPath::Command4_Click);
}

void frmPath::Command1_Click()
{
    sInstallPath = cInstallFolder::InstallPath(Text1->text());
    int error = 0;
    const cInstallFolder::Check check = cInstallFolder::CheckFolder(sInstallPath, &error);
    switch (check) {
    case cInstallFolder::FolderExists:
        if (platform::messageBox(QStringLiteral("المجلد المحدد موجود من قبل، هل تريد نسخ الملفات فيه؟"),
                                 QStringLiteral("مجلد موجود"), platform::MessageIcon::Question,
                                 platform::MessageButtons::YesNo, this) != platform::AnswerYes) {
            Text1->setText(cInstallFolder::ResetText());
            return;
        }
        break;
    case cInstallFolder::FolderInvalid:
        platform::messageBox(QStringLiteral("إسم المجلد غير صالح، رجاء إعادة كتابة الاسم الصحيح."),
                             QStringLiteral("خطأ في اسم المجلد"), platform::MessageIcon::Critical,
                             platform::MessageButtons::Ok, this);
        Text1->setText(cInstallFolder::ResetText());
        return;
    case cInstallFolder::FolderNotMade:
    case cInstallFolder::FolderNotWritable: {
        // The name was fine: say what the system said of the folder, not that the name is wrong.
        const QString folder = pageparts::LeftToRight(QDir::cleanPath(sInstallPath));
        const QString text = check == cInstallFolder::FolderNotMade
                                 ? QStringLiteral("تعذر إنشاء المجلد %1: %2.")
                                 : QStringLiteral("لا يمكن نسخ الملفات في المجلد %1: %2.");
        platform::messageBox(text.arg(folder, cCopyList::ReasonText(error)), QStringLiteral("خطأ في المجلد"),
                             platform::MessageIcon::Critical, platform::MessageButtons::Ok, this);
        Text1->setText(cInstallFolder::ResetText());
        return;
    }
    case cInstallFolder::FolderCreated:
        break;
    }
    Window<frmProgram>().show();
    hide();
}

void frmPath::Command2_Click()
{
    Window<frmWelcome>().show();
    hide();
}

void frmPath::Command4_Click()
{
    ConfirmExit(this);
}
