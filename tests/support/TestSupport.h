#pragma once

#include "platform/Dialogs.h"
#include "speech/cSpeechEngine.h"
#include "users/cHistory.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class QWidget;

namespace testsupport {

// A fresh, empty program folder for one test: profiles and copied files land here.
class ScratchFolder
{
public:
    ScratchFolder();
    QString path() const; // ends in "/"
    QString filePath(const QString &name) const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Makes a folder read-only for this process while alive, as a read-only mount would: for root,
// whom no mode stops, a read-only bind mount in a private mount namespace; for others, mode 0555.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    bool isReadOnly() const { return m_readOnly; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
    bool m_readOnly = false;
};

// Answers message and input boxes in order and keeps what they asked. A box with no answer queued
// is answered with OK (or an empty input) and still recorded.
class DialogScript
{
public:
    DialogScript();
    ~DialogScript();

    void answer(int button);           // next message box
    void answerInput(const QString &); // next input box; "" = cancelled

    QList<platform::DialogRequest> requests;

private:
    QList<platform::DialogAnswer> m_answers;
};

// Counts beeps while alive.
class BeepCounter
{
public:
    BeepCounter();
    ~BeepCounter();
    int count = 0;
};

// Speaks for the spoken mode while alive, keeping each part with its voice ("ar: ..." or "en: ...")
// and "stop" for a cut. `sProblem` set: the engine cannot open.
class SpeechRecorder : public cSpeechEngine
{
public:
    SpeechRecorder();
    ~SpeechRecorder() override;
    QString Open() override { return sProblem; }
    void Say(const Utterance &parts) override;
    void Stop() override { said.append(QStringLiteral("stop")); }

    QString sProblem;
    QStringList said;
};

// Listens in place of a screen reader while alive, keeping what each object told, in order: "insert 4 a",
// "remove 5 x", "update", "caret 6", "name", "description", "table".
class ScreenReaderRecorder
{
public:
    ScreenReaderRecorder();
    ~ScreenReaderRecorder();
    QStringList toldBy(const QObject *object) const;

private:
    QList<std::pair<const QObject *, QString>> m_told;
};

// A hand-driven clock of seconds since midnight while alive.
class ManualClock
{
public:
    explicit ManualClock(double start = 36000.0);
    ~ManualClock();
    double now;
};

// Records programs started and process ends instead of performing them, while alive.
class ProcessRecorder
{
public:
    ProcessRecorder();
    ~ProcessRecorder();
    QStringList started;
    int ends = 0;
};

// A scratch program folder and a process recorder for one test function; on destruction the
// application is reset first, then both go.
class Sandbox
{
public:
    ~Sandbox();
    ScratchFolder folder;
    ProcessRecorder process;
};

// Creates a profile file in the program folder as the new-user dialog does, and logs it in.
void createProfile(const QString &name, int wordsPerMinute = 30, int accuracy = 95);
void createAndLogIn(const QString &name, int wordsPerMinute = 30, int accuracy = 95);

// Creates a profile protected by `password`, left logged out with no window loaded.
void createProtectedProfile(const QString &name, const QString &password);

// Types `text` into `target` a character at a time, as key events carrying the text (any script).
void typeText(QWidget *target, const QString &text);

// Sets one of the logged-in learner's settings.
void setSetting(const char *section, const char *item, const QString &value);

// Reads CSV as RFC 4180 has it: fields split at commas, quoted fields with doubled quotes and line
// ends inside them, records ending in CRLF or LF.
QList<QStringList> parseCsv(const QString &text);

// The bytes of `record` as the tutor wrote them before keys had times: version 1, six bytes per key.
QByteArray historyRecordVersion1(const HistoryRecord &record);

// Unloads every window, logs out and forgets the test seams (random sequence, keyboard layout,
// prerequisite library, system folder, test runner, file failures), so the next test starts clean.
void resetApplication();

} // namespace testsupport
