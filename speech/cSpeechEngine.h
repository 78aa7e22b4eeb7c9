#pragma once

#include <QList>
#include <QObject>
#include <QString>

// One stretch of speech in one voice: Arabic text with the Arabic voice, Latin text with the English.
struct SpokenPart
{
    QString sText;
    bool bArabic = true;
    bool operator==(const SpokenPart &) const = default;
};
using Utterance = QList<SpokenPart>;

// What speaks for the spoken mode: the text-to-speech plugin, loaded only when the mode is first
// turned on, or a recorder in tests. The tutor calls it from one thread, never the window's (the
// desktop's speech service answers each call over a socket, some in tens of milliseconds).
class cSpeechEngine
{
public:
    virtual ~cSpeechEngine() = default;

    // Connects to the desktop's speech service; returns why it cannot speak, or "" when it can.
    virtual QString Open() = 0;
    // Speaks after what is being said; each part in its own voice.
    virtual void Say(const Utterance &parts) = 0;
    // Cuts what is being said and drops what waits.
    virtual void Stop() = 0;
};

#define cSpeechEngine_iid "org.tavrin.SpeechEngine/1"
Q_DECLARE_INTERFACE(cSpeechEngine, cSpeechEngine_iid)
