// The result half of the lesson controller: the logged-in learner's stored test results, the pass
// rule, comments, averages and the lesson to continue with, in the current training language.
#include "lessons/cLesson.h"

#include "users/cProfileResults.h"
#include "users/cUser.h"

cLesson &theLesson()
{
    static cLesson lesson;
    return lesson;
}

namespace {
// Read afresh on every call: the training language and the slots may change between calls.
cProfileResults results()
{
    return cProfileResults([](int offset) { return theUser().ReadInteger(offset); },
                           theUser().IsLanguageArabic());
}
} // namespace

qint16 cLesson::GetCurrentLesson()
{
    return results().GetCurrentLesson();
}

qint16 cLesson::GetTestSpeed(qint16 iLesson, qint16 iTest)
{
    return results().GetTestSpeed(iLesson, iTest);
}

void cLesson::SetTestSpeed(qint16 iLesson, qint16 iTest, qint16 iSpeed)
{
    theUser().WriteInteger(results().SlotOffset(iLesson, iTest), iSpeed);
}

qint16 cLesson::GetTestAccuracy(qint16 iLesson, qint16 iTest)
{
    return results().GetTestAccuracy(iLesson, iTest);
}

void cLesson::SetTestAccuracy(qint16 iLesson, qint16 iTest, qint16 iAccuracy)
{
    theUser().WriteInteger(results().SlotOffset(iLesson, iTest) + 2, iAccuracy);
}

void cLesson::SetTestResult(qint16 iLesson, qint16 iTest, qint16 iSpeed, qint16 iAccuracy)
{
    theUser().WriteTestSlot(results().SlotOffset(iLesson, iTest), iSpeed, iAccuracy);
}

bool cLesson::PassTest(qint16 iSpeed, qint16 iAccuracy)
{
    return results().PassTest(iSpeed, iAccuracy);
}

QString cLesson::ResultAlpha(qint16 iSpeed, qint16 iAccuracy)
{
    return results().ResultAlpha(iSpeed, iAccuracy);
}

void cLesson::GetAverage(qint16 iLesson, qint16 &iSpeed, qint16 &iAccuracy)
{
    results().GetAverage(iLesson, iSpeed, iAccuracy);
}
