#pragma once

#include <QString>
#include <QVariant>

class KeyboardPicture;
class QWidget;

// Application-wide services: the program folder, the standard error box, showing a section's screen
// inside the main window, labelling and highlighting keyboard pictures, a short wait, and the
// scrambling of stored passwords.
class cTheApp
{
public:
    QString GetPath() const;
    int ErrorMessage(qint16 iErrorNum, const QString &sExtraData = QString());
    void ShowScreen(QWidget *picPictureBox);
    void ShowLetters(KeyboardPicture *picKeyboard);
    void SelectLetter(KeyboardPicture *picKeyboard, const QVariant &vLetter);
    void Sleep(double iNumofSeconds);
    static qint16 F(qint16 X);
    static QString EncText(const QString &sText);
};

cTheApp &theApp();

// Set by a successful login; typing pads created afterwards read the user's settings at once.
extern bool bLoggedIn;
