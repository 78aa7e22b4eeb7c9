#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

// The user selection: lists the profiles in the program folder, logs one in, creates and deletes them,
// and opens the class report of them all.
class frmUsers : public QWidget
{
    Q_OBJECT
public:
    frmUsers();

    void Form_Load();
    void RefreshData();
    // Selects the learner `sName` in the list; false when the list does not hold it.
    bool SelectUser(const QString &sName);

    QListWidget *lstUsers = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblUser = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdNewUser = nullptr;
    QPushButton *cmdDel = nullptr;
    QPushButton *cmdReport = nullptr;

signals:
    // A learner logged in; the window above shows the main window. This window unloads next.
    void LoggedIn();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdNewUser_Click();
    void cmdDel_Click();
    void cmdReport_Click();
};
