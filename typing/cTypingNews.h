#pragma once

#include <QObject>

class TypingPad;

// What happens on every typing pad, for whoever follows the typing without watching one pad: the
// spoken mode listens while it is on, nobody while it is off.
class cTypingNews : public QObject
{
    Q_OBJECT
public:
    // How a judged key left the line: a letter typed as wanted, a wrong one, or a Backspace (taken or
    // refused).
    enum class Key
    {
        Right,
        Wrong,
        Back
    };

signals:
    // The pad's line is set and waits for its first key.
    void LineStarted(TypingPad *pad);
    // A key was judged and drawn; the line may be complete.
    void KeyJudged(TypingPad *pad, cTypingNews::Key key);
    // The line is complete and its speed and accuracy computed, before the host hears of it.
    void LineFinished(TypingPad *pad);
};

cTypingNews &typingNews();
