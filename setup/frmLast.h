#pragma once

#include "setup/WizardPage.h"

class QLabel;
class QPushButton;

class frmLast : public WizardPage
{
    Q_OBJECT
public:
    frmLast();

    QLabel *picPlan;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Command2; // back
    QPushButton *Command1; // copy
    QPushButton *Command4; // exit

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
};
