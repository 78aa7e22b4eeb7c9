#pragma once

#include "speech/cSpeech.h"
#include "typing/cTypingNews.h"

#include <QList>
#include <QPointer>

class QWidget;
class TypingPad;

// The spoken mode: while it is on, the tutor says each window's title as it comes up, the control
// under the focus as the focus moves, every message box and what the screens announce, and on the
// typing pad the line before its first key and the next letter with its key and finger after a wrong
// key. Ctrl+Alt+S turns it on and off on every window (the physical S key, whatever the desktop's
// layout), and so does the settings screen. The choice is kept with QSettings per learner, and for the
// machine as its last choice, which holds before login; never in the profile.
class cSpokenMode : public QObject
{
    Q_OBJECT
public:
    cSpokenMode();
    ~cSpokenMode() override;

    // The start of the tutor: turns the mode on if it was on when the tutor was last used here.
    void Begin();
    // A learner logged in: the learner's own choice, if one is kept, replaces the machine's.
    void LearnerLoggedIn(const QString &sName);

    bool IsOn() const { return m_on; }
    // Turning it on opens the speech engine first (seconds, the first time; in its own thread); where
    // none is found a message box and a beep say so and the mode stays off.
    void SetOn(bool bOn);
    void Toggle() { SetOn(!(m_on || m_wantOn)); }

    // F2 on the typing pad: the next letter again; F3: the line again.
    static constexpr Qt::Key kNextLetterKey = Qt::Key_F2;
    static constexpr Qt::Key kLineKey = Qt::Key_F3;

    // What is said of a control: its name, what kind of control it is and its state or value.
    static QString Describe(QWidget *widget);

signals:
    // The mode went on or off (the settings screen's check box follows).
    void Changed(bool bOn);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Opened(const QString &sProblem);
    void Engage(bool bOn);
    void Unlisten();
    void Store() const;
    void Say(const Utterance &parts);
    void SayText(const QString &text);
    void SayFocus(QWidget *now, bool bWindowAnyway);
    void FollowFocused(QWidget *widget);
    void LineStarted(TypingPad *pad);
    void KeyJudged(TypingPad *pad, cTypingNews::Key key);
    void SayNextLetter(TypingPad *pad);

    cSpeech m_speech;
    bool m_on = false;
    bool m_wantOn = false; // asked for while the engine opens
    QString m_learner;     // logged in: whose choice it is
    QPointer<QWidget> m_window;
    QList<QMetaObject::Connection> m_listening;
    QList<QMetaObject::Connection> m_following; // the focused control's changes
};

// The application's spoken mode, made on first use; MakeApplicationObjects makes it afresh.
cSpokenMode &theSpokenMode();
void DiscardSpokenMode();
