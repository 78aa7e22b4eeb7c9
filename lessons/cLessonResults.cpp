// The result half of the lesson controller: stored test results, the pass rule, comments, averages
// and the lesson to continue with.
#include "lessons/cLesson.h"

#include "app/Int16.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

cLesson &theLesson()
{
    static cLesson lesson;
    return lesson;
}

namespace {
int slotOffset(qint16 iLesson, qint16 iTest)
{
    return ProfileFile::testSlotOffset(theUser().IsLanguageArabic(), iLesson, iTest);
}
} // namespace

qint16 cLesson::GetCurrentLesson()
{
    for (qint16 i = 6; i >= 1; --i) {
        qint16 speed = 0;
        qint16 accuracy = 0;
        GetAverage(i, speed, accuracy);
        if (PassTest(speed, accuracy))
            return qMin<qint16>(i + 1, 6);
    }
    return 1;
}

qint16 cLesson::GetTestSpeed(qint16 iLesson, qint16 iTest)
{
    return theUser().ReadInteger(slotOffset(iLesson, iTest));
}

void cLesson::SetTestSpeed(qint16 iLesson, qint16 iTest, qint16 iSpeed)
{
    theUser().WriteInteger(slotOffset(iLesson, iTest), iSpeed);
}

qint16 cLesson::GetTestAccuracy(qint16 iLesson, qint16 iTest)
{
    return theUser().ReadInteger(slotOffset(iLesson, iTest) + 2);
}

void cLesson::SetTestAccuracy(qint16 iLesson, qint16 iTest, qint16 iAccuracy)
{
    theUser().WriteInteger(slotOffset(iLesson, iTest) + 2, iAccuracy);
}

void cLesson::SetTestResult(qint16 iLesson, qint16 iTest, qint16 iSpeed, qint16 iAccuracy)
{
    theUser().WriteTestSlot(slotOffset(iLesson, iTest), iSpeed, iAccuracy);
}

bool cLesson::PassTest(qint16 iSpeed, qint16 iAccuracy)
{
    return iSpeed >= theUser().GetWantedSpeed() && iAccuracy >= theUser().GetWantedAccuracy();
}

QString cLesson::ResultAlpha(qint16 iSpeed, qint16 iAccuracy)
{
    if (iSpeed == 0 && iAccuracy == 0)
        return QStringLiteral("لم يتم الاختبار");
    if (PassTest(iSpeed, iAccuracy))
        return QStringLiteral("تم تحقيق المستوى");
    return QStringLiteral("بحاجة الى اعادة");
}

void cLesson::GetAverage(qint16 iLesson, qint16 &iSpeed, qint16 &iAccuracy)
{
    // 16-bit sums, as the slots hold; untaken tests count as 0.
    qint16 speedSum = 0;
    qint16 accuracySum = 0;
    for (qint16 test = 1; test <= 3; ++test) {
        speedSum = Saturate16(double(speedSum) + GetTestSpeed(iLesson, test));
        accuracySum = Saturate16(double(accuracySum) + GetTestAccuracy(iLesson, test));
    }
    iSpeed = IntDiv16(speedSum, 3);
    iAccuracy = IntDiv16(accuracySum, 3);
}
