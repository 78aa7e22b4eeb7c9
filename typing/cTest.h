#pragma once

#include "users/cHistory.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Carries a test's title and text into the test window and its result back out: 0 and 0 means the
// learner left the test before its end.
class cTest
{
public:
    QString sTitle;
    QString sWantedText;
    qint16 iSpeed = 0;    // letters per minute
    qint16 iAccuracy = 0; // whole percent
    // Where the test comes from: a finished test goes to the learner's history under it.
    HistoryRecord History;
    // What the test's owner keeps of a finished test besides its history record (the lesson
    // controller: the profile's slot). Called first, so a stop between the two writes leaves the
    // profile ahead of the history, never behind it.
    std::function<void(const cTest &)> KeepResult;

    // Runs the test and returns when it is over, with its result filled in.
    void StartTest();
    // Keeps a finished test the moment its result is shown: the owner's part, then the history
    // record (History, with the result and the keys filled in by the test window).
    void Finished();
    // The runner is the modal test window standing in for the main window, installed at start-up;
    // controller tests install their own. With none, StartTest leaves the result at 0 and 0.
    static void SetRunner(std::function<void(cTest &)> runner);

    static constexpr int kMaxLines = 5;

    // The lines of a test text on the window's pads: iLineLength characters each, at most five,
    // stopping at the line that uses the text up. An empty text still gives one empty line.
    static QStringList SplitIntoLines(const QString &sText, int iLineLength);

    // The test's result from its lines' results: 16-bit sums divided by the number of lines,
    // truncated, so every line weighs the same whatever its length.
    void SetResult(const QList<double> &speeds, const QList<double> &accuracies);
};
