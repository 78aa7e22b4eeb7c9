#include "setup/WizardPage.h"

#include "setup/frmBackGround.h"
#include "setup/mdlSetup.h"

WizardPage::WizardPage(const QString &sCaption) : QDialog(&Window<frmBackGround>())
{
    setWindowTitle(sCaption);
}

void WizardPage::Form_Load()
{
    CentreOverBackground(this);
}

void WizardPage::reject()
{
    ConfirmExit(this);
}
