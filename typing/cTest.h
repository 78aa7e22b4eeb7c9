#pragma once

#include <QString>

// Carries a test's title and text into the test window and its result back out: 0 and 0 means the
// learner left the test before its end.
class cTest
{
public:
    QString sTitle;
    QString sWantedText;
    qint16 iSpeed = 0;    // letters per minute
    qint16 iAccuracy = 0; // whole percent

    // Hides the main window, runs the modal test window, shows the main window again.
    void StartTest();
};
