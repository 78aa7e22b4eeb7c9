#pragma once

#include <QDialog>

// What every installer window standing on the background has in common: the background is its
// parent, it is centred over it when loaded, and Esc or the title bar's close button asks to end
// the installer like "انهاء".
class WizardPage : public QDialog
{
    Q_OBJECT
public:
    explicit WizardPage(const QString &sCaption);
    void Form_Load();

protected:
    void reject() override;
};
