#pragma once

#include "sound/cSoundPlayer.h"

#include <QAtomicInt>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QThread>

class TypingPad;

// The learner's sound effects (the profile's General / Sound): while on, a wrong key on any typing
// pad plays the error buzz and a finished line the chime. Turned on the first time, it loads the
// sound plugin and runs it in a thread of its own, so a learner with sounds off never loads the
// sound server's client library and a key is drawn without waiting for the server. Where no sound
// can be played (no plugin, no sound server) a wrong key sounds the desktop's beep instead.
class cSounds : public QObject
{
    Q_OBJECT
public:
    cSounds();
    ~cSounds() override;

    // Follows the logged-in learner's setting.
    void LearnerLoggedIn();
    void SetOn(bool bOn);
    bool IsOn() const { return m_on; }

    // Where the plugin is looked for: beside the program, then in the tutor's library folder.
    static QString PluginPath();
    static void SetPluginPathForTesting(const QString &path);
    // Plays through `player` (not owned), in the caller's thread; nullptr restores the plugin.
    static void SetPlayerForTesting(cSoundPlayer *player);

private:
    void Open();
    void Opened(cSoundPlayer *player, QObject *owner, const QString &sProblem);
    void Play(SoundEffect effect);

    QThread m_thread;
    QObject *m_worker = nullptr; // lives in m_thread: calls to the player run in its context
    QObject *m_playerObject = nullptr;
    cSoundPlayer *m_player = nullptr;
    bool m_on = false;
    bool m_opening = false;
    bool m_opened = false;  // the player is open, or the beep stands in for it
    bool m_bDirect = false; // a test's player, called in the window's thread
    int m_iOpening = 0;     // which opening an answer belongs to
    QAtomicInt m_iWaiting;  // effects handed to the player's thread and not yet begun
    QList<QMetaObject::Connection> m_listening;
};

cSounds &theSounds();
