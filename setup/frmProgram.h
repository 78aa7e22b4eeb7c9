#pragma once

#include "setup/WizardPage.h"

class QLabel;
class QPushButton;
class QRadioButton;

class frmProgram : public WizardPage
{
    Q_OBJECT
public:
    frmProgram();

    QLabel *picPlan;
    QLabel *Label1;
    QRadioButton *Option1; // create the group
    QRadioButton *Option2;
    QPushButton *Command2; // back
    QPushButton *Command1; // next
    QPushButton *Command4; // exit

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
};
