#pragma once

#include <QString>

#include <functional>

class PracticePanel;
class QWidget;

// What a practice run and a test need from the window that hosts them: the main window, handed down
// at start-up, so the typing engine never reaches up to it.
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

    // The host of this process, or none while the main window is not loaded.
    static cTypingHost *Current();
    static void SetProvider(std::function<cTypingHost *()> provider);
};
