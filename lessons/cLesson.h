#pragma once

#include <QString>

// The screen that shows a lesson's pages. The lessons window hands itself to the controller while it
// is loaded, so the controller never reaches up to it.
class cLessonScreen
{
public:
    virtual ~cLessonScreen() = default;
    virtual void ShowLessonPage(const QString &sTitle) = 0;
    virtual void ShowResultsPage(const QString &sTitle) = 0;
};

// The lesson controller: remembers the chosen lesson, runs its screens, practice and tests, and
// judges the stored results against the learner's targets. Every operation reads the training
// language afresh.
class cLesson
{
public:
    quint8 bLessonNumric = 1;         // the chosen lesson, 1-6
    QString sLessonAlpha;             // its title
    QString sLessonLetters;           // its key group in the training language
    cLessonScreen *pScreen = nullptr; // the loaded lessons window, if any

    // Lesson operations
    void RunLesson();
    void ShowTestResult();
    void ShowTest(qint16 iTestNum);
    void ShowPractice();

    // Results and the pass rule, on the profile's slots of the current training language
    qint16 GetCurrentLesson();
    qint16 GetTestSpeed(qint16 iLesson, qint16 iTest);
    void SetTestSpeed(qint16 iLesson, qint16 iTest, qint16 iSpeed);
    qint16 GetTestAccuracy(qint16 iLesson, qint16 iTest);
    void SetTestAccuracy(qint16 iLesson, qint16 iTest, qint16 iAccuracy);
    // Both halves of a test's slot in one write.
    void SetTestResult(qint16 iLesson, qint16 iTest, qint16 iSpeed, qint16 iAccuracy);
    bool PassTest(qint16 iSpeed, qint16 iAccuracy);
    QString ResultAlpha(qint16 iSpeed, qint16 iAccuracy);
    void GetAverage(qint16 iLesson, qint16 &iSpeed, qint16 &iAccuracy);

    // The text of a lesson test: lines of the lesson drawn at random and joined until it is longer
    // than 300 characters.
    static QString BuildTestText(int blockId);
};

cLesson &theLesson();
