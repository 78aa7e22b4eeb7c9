#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Creates a new learner's profile with a name and target speed and accuracy.
class frmNewUser : public QDialog
{
    Q_OBJECT
public:
    explicit frmNewUser(QWidget *parent = nullptr);

    QLabel *lblLabel = nullptr;
    QLineEdit *txtText = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cmbSpeed = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *cmbAccuracy = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    // The name of the profile made, once OK has made one.
    QString sCreatedName;

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load();
};
