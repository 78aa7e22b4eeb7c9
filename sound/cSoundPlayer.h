#pragma once

#include <QObject>
#include <QString>

// The tutor's two sound effects.
enum class SoundEffect
{
    WrongKey,    // a short buzz
    LineFinished // a soft chime
};

// What plays the sound effects: the sound plugin over the desktop's sound server, loaded only when
// a learner's sounds are on, or a recorder in tests. The tutor calls it from one thread, never the
// window's (a stream to the sound server takes milliseconds to open, a write may wait for room).
class cSoundPlayer
{
public:
    virtual ~cSoundPlayer() = default;

    // Connects to the desktop's sound server; returns why it cannot play, or "" when it can.
    virtual QString Open() = 0;
    // Starts the effect, after one that still plays; false when it could not.
    virtual bool Play(SoundEffect effect) = 0;
};

#define cSoundPlayer_iid "org.tavrin.SoundPlayer/1"
Q_DECLARE_INTERFACE(cSoundPlayer, cSoundPlayer_iid)
