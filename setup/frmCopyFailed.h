#pragma once

#include "setup/cCopyList.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The end of a copy that left files behind: why, with every file under its reason. However many
// files failed (a read-only folder fails them all), the box fits the screen: the list scrolls and
// the OK button stays in sight.
class frmCopyFailed : public QDialog
{
    Q_OBJECT
public:
    explicit frmCopyFailed(QWidget *parent);

    // Each reason once, in the order it first arose, with its files below it.
    void ShowFailures(const QList<cCopyList::FailedCopy> &failures);

    QLabel *picIcon;
    QLabel *lblMessage;
    QPlainTextEdit *txtFiles;
    QPushButton *cmdOK;

public slots:
    void cmdOK_Click();
};
