#pragma once

#include "setup/WizardPage.h"
#include "setup/cCopyList.h"

#include <QList>

class QFrame;
class QLabel;
class QPushButton;

class frmCopy : public WizardPage
{
    Q_OBJECT
public:
    frmCopy();
    void Form_Load();
    void Form_Activate();

    // Copies every file, makes the menu group if asked, reports and ends the installer.
    void StartCopy();
    // One file with its display, after a second's wait unless `bWait` is false. True when it was
    // copied, or passed over as a run-time library the installer's folder does not hold; a failure
    // is kept in failedCopies with its reason.
    bool CopyTheFile(const QString &sOldName, const QString &sNewName, bool bWait = true);
    // The menu group with the tutor and its read-me; true when the menu took it.
    bool CreateGroup();
    void Sleep(int iNumofSeconds);

    QLabel *Label2;
    QLabel *lblFile;
    QFrame *Picture1; // progress box
    QFrame *Shape1;   // the bar, sliding in from the box's right edge
    QLabel *lblPercent;
    QPushButton *Command4; // cancel

    QString Tag;
    qint16 iFile = 1;
    qint16 iFiles = 6;
    QList<cCopyList::FailedCopy> failedCopies; // each file that could not be written

    // The progress box, and how much wider than it the bar is.
    static constexpr int kBoxWidth = 250;
    static constexpr int kBoxHeight = 22;
    static constexpr int kBarOverhang = 10;

private:
    // Empty when the copy was made, else why not in the learner's words.
    static QString CopiedOrWhyNot(const QString &sSource, const QString &sTarget, bool bExecutable);

public slots:
    void Command4_Click();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
};
