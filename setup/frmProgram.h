#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

class frmProgram : public QDialog
{
    Q_OBJECT
public:
    frmProgram();
    void Form_Load();

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

protected:
    void reject() override;
};
