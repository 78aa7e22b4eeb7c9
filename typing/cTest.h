#pragma once

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

    // Hides the host's window, runs the modal test window, shows the host's window again.
    void StartTest();

    // Controller tests run a test without the modal window: while a runner is set, StartTest hands
    // the test to it instead. An empty function restores the window.
    static void setRunnerForTesting(std::function<void(cTest &)> runner);

    static constexpr int kMaxLines = 5;

    // The lines of a test text on the window's pads: iLineLength characters each, at most five,
    // stopping at the line that uses the text up. An empty text still gives one empty line.
    static QStringList SplitIntoLines(const QString &sText, int iLineLength);

    // The test's result from its lines' results: 16-bit sums divided by the number of lines,
    // truncated, so every line weighs the same whatever its length.
    void SetResult(const QList<double> &speeds, const QList<double> &accuracies);
};
