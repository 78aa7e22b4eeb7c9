#pragma once

#include <QVariant>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TypingPad;

// The settings screen: language, Backspace, speed unit, targets, password and the typing pad's
// display, with a preview pad. The window itself is never shown; the main menu moves picSettings
// into the main window. Every change but the password is written to the profile at once; the
// password is written when the window unloads.
class frmSettings : public QWidget
{
    Q_OBJECT
public:
    frmSettings();

    void Form_Load();
    void Form_Unload();

    QWidget *picSettings = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *Label1 = nullptr; // general
    QLabel *Label2 = nullptr; // display
    QLabel *Label3 = nullptr; // user
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Image3 = nullptr;
    // Captions beside the controls; index 11 names no caption.
    std::array<QLabel *, 15> lblLesson{};
    QComboBox *Combo1 = nullptr; // target speed
    QComboBox *Combo2 = nullptr; // target accuracy
    QComboBox *Combo3 = nullptr; // training language
    QLabel *lblScale = nullptr;
    QComboBox *cmbScale = nullptr;    // the display scale: "fit", then the steps
    QCheckBox *chkKeyboard = nullptr; // the keyboard beside every practice and test
    QLabel *lblKeyboard = nullptr;
    QCheckBox *Check1 = nullptr;   // error marks
    QCheckBox *Check2 = nullptr;   // black background
    QCheckBox *Check3 = nullptr;   // big font
    QCheckBox *Check4 = nullptr;   // password protection
    QCheckBox *Check5 = nullptr;   // Backspace allowed
    QCheckBox *chkSound = nullptr; // sound effects
    QLabel *lblSound = nullptr;
    QCheckBox *chkSpeech = nullptr; // the spoken mode
    QLabel *lblSpeech = nullptr;
    QRadioButton *Option1 = nullptr;  // words per minute
    QRadioButton *Option2 = nullptr;  // letters per minute
    QLineEdit *Text1 = nullptr;       // password
    ::TypingPad *TypingPad = nullptr; // preview, never active for typing

private:
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void chkSound_Click();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void cmbScale_Click();
    void chkKeyboard_Click();
    void Option1_Click();
    void Option2_Click();

    void PutPreviewText(bool bArabic);
    void RefreshPreview();
    // Stores the unit, shows its label and the speed list in its steps, with the target chosen.
    void ShowSpeedsIn(const QString &sUnitFlag, int iStep);
    void FillSpeeds(qint16 iFirst);
    void SelectText(QComboBox *cmbBox, const QString &sText);
    void Store(const QString &sSection, const QString &sItem, const QVariant &vNewValue);

    bool m_bLoading = false;
    bool m_bLoadedProtected = false;
    QString m_sLoadedPassword;
};
