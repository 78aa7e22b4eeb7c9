#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmPath : public QDialog
{
    Q_OBJECT
public:
    frmPath();
    void Form_Load();

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

protected:
    void reject() override;
};
