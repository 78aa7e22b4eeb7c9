#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmLast : public QDialog
{
    Q_OBJECT
public:
    frmLast();
    void Form_Load();

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

protected:
    void reject() override;
};
