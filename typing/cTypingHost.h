#pragma once

#include <QString>

class PracticePanel;
class QWidget;

// What a practice run and a test need from the window that hosts them. The main window hands
// itself down as the host when it is made, so the typing engine never reaches up to it.
class cTypingHost
{
public:
    virtual ~cTypingHost() = default;

    // The panel a practice run shows itself on.
    virtual PracticePanel *PracticeArea() = 0;
    // The window a test stands in for: hidden while the test window runs, which opens where it
    // stood and hands its position back.
    virtual QWidget *TestOwner() = 0;
    // The comment under a test's result, judged against the learner's targets.
    virtual QString ResultComment(qint16 iSpeed, qint16 iAccuracy) = 0;

    // The host of this process, or none before the main window exists.
    static cTypingHost *Current();
    static void SetCurrent(cTypingHost *host);
};
