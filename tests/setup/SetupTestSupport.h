#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QTimer;

namespace setuptest {

// Answers message boxes in order (OK when none is queued) and keeps what they asked.
class DialogScript
{
public:
    DialogScript();
    ~DialogScript();
    void answer(int button) { m_answers.append(button); }
    QList<platform::DialogRequest> requests;

private:
    QList<int> m_answers;
};

// Records the installer's end instead of ending the test, and makes its waits instant.
class EndRecorder
{
public:
    EndRecorder();
    ~EndRecorder();
    QList<int> exitCodes;
    int sleeps = 0;
};

// Records the menu tool's runs; the desktop files they name are read and checked with
// desktop-file-validate during the call.
class MenuRecorder
{
public:
    explicit MenuRecorder(bool result = true);
    ~MenuRecorder();
    QList<QStringList> runs;
    QStringList fileTexts; // the files of the last run, in argument order
    QStringList invalid;   // what desktop-file-validate said of files it refused
};

// A scratch folder: the installer's own folder, a home for the install and a system folder.
class InstallScratch
{
public:
    InstallScratch();
    ~InstallScratch();
    QString setupFolder() const;  // ends in "/"
    QString systemFolder() const; // no trailing "/", not made yet
    QString root() const;         // ends in "/"
    void stageShippedFiles(bool withLibrary = false);

private:
    QTemporaryDir m_dir;
};

// Real full and read-only disks without being root: the running test function is run again in a
// private user and mount namespace, where it may mount file systems of its own. A test function
// opens with SETUP_RUN_IN_OWN_MOUNTS(): the first run ends there once the second has passed (its
// output is the failure); the second run goes on and does the work.
bool insideOwnMounts();
QString runInOwnMounts();
#define SETUP_RUN_IN_OWN_MOUNTS()                                                                            \
    do {                                                                                                     \
        if (!setuptest::insideOwnMounts()) {                                                                 \
            const QString failure = setuptest::runInOwnMounts();                                             \
            QVERIFY2(failure.isEmpty(), qPrintable(failure));                                                \
            return;                                                                                          \
        }                                                                                                    \
    } while (false)

// A tmpfs of `options` (say "size=64k" or "ro") mounted at the existing folder `folder` for its
// lifetime, inside own mounts.
class TmpfsMount
{
public:
    TmpfsMount(const QString &folder, const QString &options);
    ~TmpfsMount();
    bool mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};

// Reads the copy-failed box when it shows and closes it with OK.
class FailureBoxReader
{
public:
    FailureBoxReader();
    ~FailureBoxReader();
    int shown = 0;
    QStringList lines; // the list as shown
    QRect box;         // the box's frame, in screen coordinates
    QRect screen;      // the screen's available area
    QRect okButton;    // in screen coordinates
    bool listScrolls = false;

private:
    QTimer *m_poll;
};

QByteArray readAll(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace setuptest
