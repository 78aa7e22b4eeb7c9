#pragma once

#include "setup/WizardPage.h"

class QLabel;
class QPushButton;

class frmWelcome : public WizardPage
{
    Q_OBJECT
public:
    frmWelcome();

    QLabel *picPlan;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *cmdBack;
    QPushButton *cmdNext;
    QPushButton *cmdExit;

public slots:
    void cmdNext_Click();
    void cmdExit_Click();
};
