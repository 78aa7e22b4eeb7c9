#pragma once

#include "speech/cSpeechEngine.h"

#include <QObject>
#include <QThread>

// The spoken mode's voice: loads the speech plugin the first time it is opened and runs it in a
// thread of its own, so a key typed while the tutor speaks is judged and drawn without waiting for
// the speech service. Tests put a recorder in its place, which is called directly.
class cSpeech : public QObject
{
    Q_OBJECT
public:
    explicit cSpeech(QObject *parent = nullptr);
    ~cSpeech() override;

    // Loads and connects the engine unless it already is; Opened tells the outcome.
    void Open();
    bool IsOpen() const { return m_open; }

    void Say(const Utterance &parts);
    void Stop();

    // Where the plugin is looked for: beside the program, then in the tutor's library folder.
    static QString PluginPath();
    static void SetPluginPathForTesting(const QString &path);
    // Speaks through `engine` (not owned), in the caller's thread; nullptr restores the plugin.
    static void SetEngineForTesting(cSpeechEngine *engine);

signals:
    // "" once the engine can speak; otherwise why not.
    void Opened(const QString &sProblem);

private:
    void Opening(cSpeechEngine *engine, QObject *owner, const QString &sProblem);

    QThread m_thread;
    QObject *m_worker = nullptr; // lives in m_thread: calls to the engine run in its context
    QObject *m_engineObject = nullptr;
    cSpeechEngine *m_engine = nullptr;
    bool m_opening = false;
    bool m_open = false;
};
