#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

QByteArray readAll(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace setuptest
