#pragma once

#include "setup/WizardPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmPath : public WizardPage
{
    Q_OBJECT
public:
    frmPath();

    QLabel *picPlan;
    QLabel *Label1;
    QLineEdit *Text1;
    QPushButton *Command2; // back
    QPushButton *Command1; // next
    QPushButton *Command4; // exit

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
};
