#include "users/cProfileResults.h"

#include "app/Int16.h"
#include "users/ProfileFile.h"

int cProfileResults::SlotOffset(qint16 iLesson, qint16 iTest) const
{
    return ProfileFile::testSlotOffset(m_bArabic, iLesson, iTest);
}

qint16 cProfileResults::GetTestSpeed(qint16 iLesson, qint16 iTest) const
{
    return m_read(SlotOffset(iLesson, iTest));
}

qint16 cProfileResults::GetTestAccuracy(qint16 iLesson, qint16 iTest) const
{
    return m_read(SlotOffset(iLesson, iTest) + 2);
}

qint16 cProfileResults::GetWantedSpeed() const
{
    return m_read(ProfileFile::kSpeedOffset);
}

qint16 cProfileResults::GetWantedAccuracy() const
{
    return m_read(ProfileFile::kAccuracyOffset);
}

bool cProfileResults::PassTest(qint16 iSpeed, qint16 iAccuracy) const
{
    return iSpeed >= GetWantedSpeed() && iAccuracy >= GetWantedAccuracy();
}

QString cProfileResults::ResultAlpha(qint16 iSpeed, qint16 iAccuracy) const
{
    if (!Taken(iSpeed, iAccuracy))
        return QStringLiteral("لم يتم الاختبار");
    if (PassTest(iSpeed, iAccuracy))
        return QStringLiteral("تم تحقيق المستوى");
    return QStringLiteral("بحاجة الى اعادة");
}

void cProfileResults::GetAverage(qint16 iLesson, qint16 &iSpeed, qint16 &iAccuracy) const
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

qint16 cProfileResults::GetCurrentLesson() const
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
