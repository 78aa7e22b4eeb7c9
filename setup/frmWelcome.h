#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmWelcome : public QDialog
{
    Q_OBJECT
public:
    frmWelcome();
    void Form_Load();

    QLabel *picPlan;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *cmdBack;
    QPushButton *cmdNext;
    QPushButton *cmdExit;

public slots:
    void cmdNext_Click();
    void cmdExit_Click();

protected:
    // Escape and the title bar's close button ask like "انهاء".
    void reject() override;
};
