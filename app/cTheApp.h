#pragma once

#include "app/Scrambling.h"

#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

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
    // The same in a language given: a learner's keyboard shown to someone else (the class report).
    void ShowLetters(KeyboardPicture *picKeyboard, bool bArabic);
    void SelectLetter(KeyboardPicture *picKeyboard, const QVariant &vLetter, bool bArabic);
    void Sleep(double iNumofSeconds);
    static qint16 F(qint16 X) { return FlipTopBit(X); }
    static QString EncText(const QString &sText) { return ScrambleText(sText); }

    // Handed down by the layers above, so the services never reach up to them: the main window's
    // content area that ShowScreen fills, and whether the training language is Arabic (the current
    // user answers, reading the profile afresh each time).
    void SetScreenArea(QWidget *area);
    void SetLanguageSource(std::function<bool()> isArabic) { m_isArabic = std::move(isArabic); }

    // The display scale the learner chooses (platform::kScaleFit or a step): the start-up above
    // applies it, which may start the tutor again where it stands.
    void SetDisplayScale(int iPercent)
    {
        if (m_scaleChanger)
            m_scaleChanger(iPercent);
    }
    void SetScaleChanger(std::function<void(int)> changer) { m_scaleChanger = std::move(changer); }

private:
    bool IsArabic() const { return m_isArabic && m_isArabic(); }

    QPointer<QWidget> m_screenArea;
    std::function<bool()> m_isArabic;
    std::function<void(int)> m_scaleChanger;
};

cTheApp &theApp();
